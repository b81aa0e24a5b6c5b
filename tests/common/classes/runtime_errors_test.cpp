#include <gtest/gtest.h>

#include <QCoreApplication>

#include <cstdlib>

#include "common_ops.h"
#include "expect_error.h"
#include "qor_test/fake_label.h"
#include "runtime_errors.h"

namespace qor::common {
namespace {

using test::expectError;

// The re-raise every prefixed operation uses: the number and description stay, the
// prefix goes in front of the failure's own source, and exhausted memory becomes error 7.
TEST(WithSourcePrefix, PutsThePrefixInFrontOfTheFailuresSource) {
    expectError(
        [] {
            withSourcePrefix(u"QorCommon1.Common.EmptyStringToZero; ", []() -> int {
                throw AutomationError(13, u"Inner", u"Type mismatch");
            });
        },
        13, u"QorCommon1.Common.EmptyStringToZero; Inner", u"Type mismatch");
    expectError(
        [] {
            withSourcePrefix(u"QorCommon1.Common.EmptyStringToZero; ",
                             []() -> int { throw std::bad_alloc(); });
        },
        7, u"QorCommon1.Common.EmptyStringToZero; QorCommon1", u"Out of memory");
    EXPECT_EQ(withSourcePrefix(u"x; ", [] { return 4; }), 4);
}

TEST(NulltoString, ObjectWithoutDefaultValueIsTypeMismatch) {
    test::FakeLabel label;
    VARIANT object;
    VariantInit(&object);
    object.vt = VT_DISPATCH;
    object.pdispVal = &label;
    expectError([&] { NulltoString(object); }, kErrTypeMismatch, u"QorCommon1", u"Type mismatch");
}

// Restores the display variables a test takes away.
class NoDisplay : public ::testing::Test {
  protected:
    void SetUp() override {
        if (QCoreApplication::instance() != nullptr)
            GTEST_SKIP() << "a Qt application already runs in this process";
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value != nullptr ? std::optional<std::string>(value)
                                                       : std::nullopt);
            unsetenv(name);
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_)
            if (value)
                setenv(name, value->c_str(), 1);
    }

  private:
    static constexpr const char* kNames[] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"};
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

TEST_F(NoDisplay, WindowsFailAsErrorsInsteadOfEndingTheProcess) {
    expectError([] { ShowAppVersion(u"Demo", u"2.1"); }, kErrInvalidProcedureCall,
                u"QorCommon1.Common.ShowAppVersion; QorCommon1",
                u"No display is available to show the window");
    ErrObject* err = createErrObject(1, u"s", u"d");
    expectError([&] { ShowError(u"m", u"p", err, u""); }, kErrInvalidProcedureCall, u"QorCommon1",
                u"No display is available to show the window");
    err->Release();
    // Show and swallow: the report cannot be shown, and still nothing is raised.
    EXPECT_EQ(PadString(u"abc", 6, u"00", 0, false), u"");
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
}

} // namespace
} // namespace qor::common
