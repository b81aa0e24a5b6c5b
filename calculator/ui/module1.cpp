#include "module1.h"

#include "quillan_version.h"

#include <QByteArray>

#include <cstdio>
#include <cstdlib>

namespace Module1 {

QString FormatVersion(std::int16_t major, std::int16_t minor, std::int16_t revision) {
    return NumberText(major) + QLatin1Char('.') + NumberText(minor) + QLatin1Char('.') +
           NumberText(revision);
}

QString FormatAppTitle(const QString& version) {
    return QStringLiteral("Quillan") + QStringLiteral(" v") + version + QStringLiteral(" **BETA**");
}

QString GetVersionString() {
    return FormatVersion(build::kMajor, build::kMinor, build::kRevision);
}

QString GetAppTitle() {
    return FormatAppTitle(GetVersionString());
}

const quillan::NumberLocale& UserNumberLocale() {
    static const quillan::NumberLocale locale = quillan::NumberLocale::user();
    return locale;
}

double TextToDouble(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return quillan::parseNumber(std::string_view(utf8.constData(), std::size_t(utf8.size())),
                                UserNumberLocale());
}

std::int16_t TextToInt16(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return quillan::parseInt16(std::string_view(utf8.constData(), std::size_t(utf8.size())),
                               UserNumberLocale());
}

QString NumberText(std::int64_t value) {
    return QString::fromStdString(quillan::formatNumber(value));
}

QString Fixed2Text(double value) {
    return QString::fromStdString(quillan::formatFixed2(value, UserNumberLocale()));
}

void EndProgram(int status) {
    std::fflush(nullptr);
    std::_Exit(status);
}

} // namespace Module1
