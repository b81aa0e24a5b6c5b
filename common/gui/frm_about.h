// frmAbout: the library's private About dialog, with a button that starts the system
// information viewer found through the registry.
#pragma once

#include <QDialog>

#include <string>

#include "qor/registry.h"

class QLabel;
class QFrame;
class QPushButton;

namespace qor::about {

// The library's own application title, shown where the dialog speaks for itself.
inline const char* const kLibraryTitle = "QorCommon1";

class frmAbout : public QDialog {
    Q_OBJECT

  public:
    explicit frmAbout(QWidget* parent = nullptr);

    // The caller's application replaces the library's own texts.
    void showApplication(const QString& appName, const QString& appVersion);

    // Starts the viewer without waiting, or tells the user it is unavailable.
    void StartSysInfo();

    // Reads one registry value as text: a text value without its stored terminator, a
    // 32-bit number as its decimal text. False, with keyVal emptied, when the key or
    // value cannot be read; a value stored with size 0 fails with error 5.
    static bool GetKeyValue(HKEY keyRoot, const std::string& keyName, const std::string& subKeyRef,
                            std::u16string& keyVal);

  private:
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    QLabel* Image1;
    QLabel* lblDisclaimer;
    QLabel* lblVersion;
    QFrame* Line1Light;
    QLabel* lblTitle;
    QFrame* Line1Dark;
    QPushButton* cmdSysInfo;
    QPushButton* cmdOK;
};

} // namespace qor::about
