#include "program/app_title.h"

#include "engine/number_rules.h"
#include "quillan_version.h"

namespace program {

namespace {

QString wholeNumber(std::int16_t value) {
    return QString::fromStdString(quillan::formatNumber(value));
}

} // namespace

QString FormatVersion(std::int16_t major, std::int16_t minor, std::int16_t revision) {
    return wholeNumber(major) + QLatin1Char('.') + wholeNumber(minor) + QLatin1Char('.') +
           wholeNumber(revision);
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

} // namespace program
