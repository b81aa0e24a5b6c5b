#include "fields/number_text.h"

#include <QByteArray>

namespace fields {

const quillan::NumberLocale& UserNumberLocale() {
    static const quillan::NumberLocale locale = quillan::NumberLocale::user();
    return locale;
}

double TextToDouble(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return quillan::parseTypedNumber(std::string_view(utf8.constData(), std::size_t(utf8.size())),
                                     UserNumberLocale());
}

std::int16_t TextToInt16(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return quillan::parseTypedInt16(std::string_view(utf8.constData(), std::size_t(utf8.size())),
                                    UserNumberLocale());
}

QString NumberText(std::int64_t value) {
    return QString::fromStdString(quillan::formatNumber(value));
}

QString Fixed2Text(double value) {
    return QString::fromStdString(quillan::formatFixed2(value, UserNumberLocale()));
}

} // namespace fields
