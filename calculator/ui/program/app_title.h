// The program's name and version as the windows, the help text and error reports show them.
#pragma once

#include <QString>

#include <cstdint>

namespace program {

QString GetVersionString(); // "1.0.3" from the build's version
QString GetAppTitle();      // "Quillan v1.0.3 **BETA**"

// The two texts above for any version numbers; the build's numbers feed the two above.
QString FormatVersion(std::int16_t major, std::int16_t minor, std::int16_t revision);
QString FormatAppTitle(const QString& version);

} // namespace program
