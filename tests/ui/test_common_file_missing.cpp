// The component library registered at a path where no library is: the calculator's own
// error box says what the loader said.
#include "QorCommon1.h"
#include "library/common_calls.h"
#include "qor/registry.h"
#include "qor/runtime.h"
#include "test_support.h"

#include <QtTest/QtTest>

namespace {

constexpr const char* kMissingLibrary = "/nonexistent/QorCommon1.so";

bool registerMissingLibrary() {
    OLECHAR wide[39];
    StringFromGUID2(CLSID_Common, wide, 39);
    const std::string key = "CLSID\\" + qor::toUtf8(wide) + "\\InprocServer32";
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LSTATUS status =
        RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kMissingLibrary),
                       static_cast<DWORD>(std::strlen(kMissingLibrary) + 1));
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

} // namespace

class CommonFileMissingTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        testsupport::useFreshRegistry();
        QVERIFY(registerMissingLibrary());
    }

    void fallbackBoxCarriesTheLoadersText() {
        const auto box = testsupport::closeNextModal([] {
            library::ShowError(QStringLiteral("frmMain"), QStringLiteral("LoadInstructions"),
                               quillan::RuntimeError(6, "Quillan1", "Overflow"));
        });
        QVERIFY(box);
        const QStringList lines = testsupport::textLines(box->text);
        QCOMPARE(lines.size(), 5);
        for (const QString& part :
             {QStringLiteral("QorCommon1 could not be loaded: the library file was not found"),
              QStringLiteral("0x800401F8"), QString::fromLatin1(kMissingLibrary),
              QStringLiteral("No such file or directory")})
            QVERIFY2(lines[4].contains(part), qPrintable(lines[4] + " lacks " + part));
    }
};

QTEST_MAIN(CommonFileMissingTest)
#include "test_common_file_missing.moc"
