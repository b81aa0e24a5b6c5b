#include "options/settings_file_guard.h"

#include <QFile>
#include <QSet>
#include <QStandardPaths>
#include <QStringList>

#include <sys/stat.h>

#include <cstdio>

bool SettingsFileIsSafe() {
    static QSet<QString> warned;
    bool safe = true;
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation)) {
        for (const QString& file : {folder + QStringLiteral("/Quillan/Quillan1.conf"),
                                    folder + QStringLiteral("/Quillan.conf")}) {
            struct stat st {};
            if (::stat(QFile::encodeName(file).constData(), &st) != 0 || S_ISREG(st.st_mode))
                continue; // missing or unreadable: QSettings copes with both
            safe = false;
            if (!warned.contains(file)) {
                warned.insert(file);
                std::fprintf(stderr,
                             "Quillan1: the settings file %s is not a regular file; it is "
                             "left alone and the default settings are used.\n",
                             qPrintable(file));
            }
        }
    }
    return safe;
}
