// A client that knows the library only by its ProgID and its published header: register
// it with qorregsvr, create QorCommon1.Common through the runtime, and report an error
// through ShowError early- and late-bound. The box is read and closed as a user would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "QorCommon1.h"
#include "qor/runtime.h"
#include "qor_test/temp_folder.h"

namespace {

struct SeenBox {
    QString title;
    QString text;
    int buttonCount = 0;
    bool hasIcon = true;
};

// Waits for the next modal message box, notes what it shows and presses its OK button.
class BoxCloser {
  public:
    BoxCloser() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            seen_ =
                SeenBox{box->windowTitle(), box->text(), static_cast<int>(box->buttons().size()),
                        box->icon() != QMessageBox::NoIcon};
            if (QAbstractButton* ok = box->button(QMessageBox::Ok))
                ok->click();
            timer_.stop();
        });
        timer_.start(10);
    }
    const std::optional<SeenBox>& seen() const { return seen_; }

  private:
    QTimer timer_;
    std::optional<SeenBox> seen_;
};

int runRegsvr(const std::string& options) {
    const std::string command = std::string("\"") + QORREGSVR_PATH + "\" " + options + " \"" +
                                QORCOMMON1_PATH + "\" > /dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class ClientByProgIdTest : public ::testing::Test {
  protected:
    void TearDown() override { CoFreeUnusedLibraries(); }
    qor::test::TempDataHome home_;
};

const QString kExpectedText = QStringLiteral("Error at: frmMain.cmdCalc_Click\n"
                                             "Condition = Calculating the mix\n"
                                             "Number = 13\n"
                                             "Description = Type mismatch");

TEST_F(ClientByProgIdTest, RegisteredCommonShowsTheFourLineErrorBox) {
    ASSERT_EQ(runRegsvr(""), 0);
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(u"QorCommon1.Common", &clsid), S_OK);
    EXPECT_TRUE(clsid == CLSID_Common);
    _Common* common = nullptr;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID__Common,
                               reinterpret_cast<void**>(&common)),
              S_OK);

    ErrObject* err = qor::createErrObject(13, u"Quillan1", u"Type mismatch");
    BSTR module = SysAllocString(u"frmMain");
    BSTR procedure = SysAllocString(u"cmdCalc_Click");
    BSTR condition = SysAllocString(u"Calculating the mix");
    {
        BoxCloser closer;
        ASSERT_EQ(common->ShowError(&module, &procedure, &err, &condition), S_OK);
        ASSERT_TRUE(closer.seen().has_value());
        EXPECT_EQ(closer.seen()->title, QStringLiteral("Application Error"));
        EXPECT_EQ(closer.seen()->text, kExpectedText);
        EXPECT_EQ(closer.seen()->buttonCount, 1);
        EXPECT_FALSE(closer.seen()->hasIcon);
    }
    {
        // The same call late-bound, found by name, the error object passed as an object.
        std::u16string name = u"showerror";
        LPOLESTR names[] = {name.data()};
        DISPID id = 0;
        ASSERT_EQ(common->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
        VARIANT args[4];
        for (VARIANT& v : args)
            VariantInit(&v);
        args[3].vt = VT_BSTR, args[3].bstrVal = module;
        args[2].vt = VT_BSTR, args[2].bstrVal = procedure;
        args[1].vt = VT_DISPATCH, args[1].pdispVal = err;
        args[0].vt = VT_BSTR, args[0].bstrVal = condition;
        DISPPARAMS params{args, nullptr, 4, 0};
        BoxCloser closer;
        ASSERT_EQ(common->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                 nullptr, nullptr, nullptr),
                  S_OK);
        ASSERT_TRUE(closer.seen().has_value());
        EXPECT_EQ(closer.seen()->text, kExpectedText);
    }
    SysFreeString(condition);
    SysFreeString(procedure);
    SysFreeString(module);
    err->Release();
    common->Release();

    ASSERT_EQ(runRegsvr("-u"), 0);
    common = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_Common, nullptr, CLSCTX_INPROC_SERVER, IID__Common,
                               reinterpret_cast<void**>(&common)),
              REGDB_E_CLASSNOTREG);
}

} // namespace

int main(int argc, char** argv) {
    // Never needs a display, not even when CTest lists the tests.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv); // the library uses the client's application when it has one
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
