// How each level of danger is shown, in one table: the colour of its figure and badge, the
// weight of its figure, the shape of its badge. A new kind of mark (density, say) picks a
// level, or adds one here with its look.
#pragma once

#include <QColor>

enum class Danger { None, Caution, Warning };

enum class BadgeShape { None, Circle, Triangle };

struct MarkLook {
    QColor designed; // on the classic light look; see colours::dangerText for others
    bool bold = false;
    BadgeShape badge = BadgeShape::None;
};

const MarkLook& markLook(Danger danger);
