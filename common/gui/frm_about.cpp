#include "frm_about.h"

#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include <array>
#include <filesystem>

#include "gui_application.h"
#include "native_path.h"
#include "qor/runtime.h"
#include "qor_shell/process_start.h"
#include "runtime_errors.h"

namespace qor::about {
namespace {

// The designed layout is in twips, 15 to the pixel.
constexpr int twips(int value) {
    return value / 15;
}

constexpr REGSAM kSysInfoAccess = 0x2003F;
constexpr const char* kMsInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kMsInfoValue = "PATH";
constexpr const char* kToolsLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* kToolsLocationValue = "MSINFO";
constexpr char16_t kViewerFileName[] = u"/MSINFO32.EXE";
constexpr DWORD kValueBufferSize = 1024;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry,
                  double pointSize) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(pointSize);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->setAutoFillBackground(false);
    return label;
}

QFrame* makeLine(QWidget* parent, int index, QRect geometry, QColor colour) {
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setProperty("index", index);
    line->setGeometry(geometry);
    line->setFrameShape(QFrame::NoFrame);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
    line->setAutoFillBackground(true);
    return line;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    return button;
}

class KeyHandle {
  public:
    KeyHandle() = default;
    ~KeyHandle() {
        if (key_ != nullptr)
            RegCloseKey(key_);
    }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

} // namespace

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About MyApp"));
    setFixedSize(twips(5730), twips(3555));
    setSizeGripEnabled(false);

    // Created back to front: the picture lies behind everything else.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/about/about_banner.png")));
    Image1->setGeometry(0, 0, twips(11700), twips(6165));
    Image1->setScaledContents(false);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblDisclaimer = makeLabel(this, "lblDisclaimer",
                              QStringLiteral("This library is provided as is, without warranty "
                                             "of any kind. Use it at your own risk."),
                              QRect(twips(120), twips(2580), twips(3870), twips(825)), 8.25);
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblVersion = makeLabel(this, "lblVersion", QStringLiteral("AppVersion"),
                           QRect(twips(120), twips(2160), twips(5505), twips(225)), 9.75);
    Line1Light = makeLine(this, 0, QRect(twips(105), twips(2460), twips(5654 - 105), 2),
                          QColor(255, 255, 255));
    lblTitle = makeLabel(this, "lblTitle", QStringLiteral("AppName"),
                         QRect(twips(120), twips(1860), twips(5505), twips(300)), 9.75);
    Line1Dark = makeLine(this, 1, QRect(twips(90), twips(2445), twips(5654 - 90), 1),
                         QColor(128, 128, 128));
    cmdSysInfo = makeButton(this, "cmdSysInfo", QStringLiteral("&System Info..."),
                            QRect(twips(4260), twips(3075), twips(1245), twips(345)));
    cmdOK = makeButton(this, "cmdOK", QStringLiteral("OK"),
                       QRect(twips(4245), twips(2625), twips(1260), twips(345)));
    cmdOK->setDefault(true);
    setTabOrder(cmdOK, cmdSysInfo);
    cmdOK->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    Form_Load();
}

void frmAbout::Form_Load() {
    const QString title = QLatin1String(kLibraryTitle);
    setWindowTitle(QStringLiteral("About ") + title);
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(QORCOMMON_VERSION_MAJOR)
                            .arg(QORCOMMON_VERSION_MINOR)
                            .arg(QORCOMMON_VERSION_REVISION));
    lblTitle->setText(title);
}

void frmAbout::showApplication(const QString& appName, const QString& appVersion) {
    setWindowTitle(QStringLiteral("About ") + appName);
    lblTitle->setText(appName);
    lblVersion->setText(appVersion);
}

// The dialog's cancel button too: Escape closes it the same way.
void frmAbout::cmdOK_Click() {
    accept();
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo();
}

void frmAbout::StartSysInfo() {
    try {
        std::u16string program;
        if (!GetKeyValue(HKEY_LOCAL_MACHINE, kMsInfoKey, kMsInfoValue, program)) {
            std::u16string folder;
            if (!GetKeyValue(HKEY_LOCAL_MACHINE, kToolsLocationKey, kToolsLocationValue, folder))
                throw std::runtime_error("no viewer registered");
            program = folder + kViewerFileName;
            const auto candidate = common::toNativePath(program);
            std::error_code failure;
            if (!candidate || !std::filesystem::is_regular_file(*candidate, failure))
                throw std::runtime_error("no viewer in the registered folder");
        }
        const auto path = common::toNativePath(program);
        if (path && shell::startProgram(path->native()))
            return;
    } catch (const std::exception&) {
        // Every way the viewer cannot be found or started ends in the one message.
    }
    common::showMessageBox(QStringLiteral("msgSysInfoUnavailable"), QLatin1String(kLibraryTitle),
                           QStringLiteral("System Information Is Unavailable At This Time"));
}

bool frmAbout::GetKeyValue(HKEY keyRoot, const std::string& keyName, const std::string& subKeyRef,
                           std::u16string& keyVal) {
    KeyHandle key;
    if (RegOpenKeyExA(keyRoot, keyName.c_str(), 0, kSysInfoAccess, key.out()) != ERROR_SUCCESS) {
        keyVal.clear();
        return false;
    }
    std::array<BYTE, kValueBufferSize> buffer{};
    DWORD size = kValueBufferSize;
    DWORD type = REG_NONE;
    if (RegQueryValueExA(key.get(), subKeyRef.c_str(), nullptr, &type, buffer.data(), &size) !=
        ERROR_SUCCESS) {
        keyVal.clear();
        return false;
    }
    size = std::min(size, kValueBufferSize);
    if (size == 0)
        common::raiseRuntime(kErrInvalidProcedureCall);
    const DWORD kept = buffer[size - 1] == 0 ? size - 1 : size;
    if (type == REG_SZ) {
        keyVal = fromUtf8(std::string_view(reinterpret_cast<const char*>(buffer.data()), kept));
    } else if (type == REG_DWORD) {
        std::uint32_t number = 0;
        for (DWORD i = std::min<DWORD>(size, 4); i > 0; --i)
            number = (number << 8) | buffer[i - 1];
        const std::string digits = std::to_string(number);
        keyVal.assign(digits.begin(), digits.end());
    }
    return true;
}

} // namespace qor::about
