#include "marks/mark_kinds.h"

const MarkLook& markLook(Danger danger) {
    // Both designed colours reach 4.5:1 on white and on the read-only grey.
    static const MarkLook none{};
    static const MarkLook caution{QColor(140, 70, 0), false, BadgeShape::Circle};
    static const MarkLook warning{QColor(192, 0, 0), true, BadgeShape::Triangle};
    switch (danger) {
    case Danger::None:
        break;
    case Danger::Caution:
        return caution;
    case Danger::Warning:
        return warning;
    }
    return none;
}
