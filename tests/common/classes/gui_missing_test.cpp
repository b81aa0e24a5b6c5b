// A program holding the library's classes but without the windowing module anywhere it
// can be found: every window asked for fails as a run-time error, nothing crashes, Qt is
// never loaded, and the operations that swallow their reports still return normally.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "common_ops.h"
#include "expect_error.h"
#include "qor/runtime.h"

namespace qor::common {
namespace {

using test::expectError;

bool qtMapped() {
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);)
        if (line.find("libQt6") != std::string::npos)
            return true;
    return false;
}

template <typename Call> void expectLoadingFailure(Call&& call, std::u16string_view source) {
    try {
        call();
        ADD_FAILURE() << "no error raised";
    } catch (const AutomationError& err) {
        EXPECT_EQ(err.number, 48);
        EXPECT_EQ(toUtf8(err.source), toUtf8(source));
        const std::string description = toUtf8(err.description);
        EXPECT_EQ(description.rfind("Error in loading DLL: ", 0), 0u) << description;
        EXPECT_NE(description.find("QorCommon1Gui.so"), std::string::npos) << description;
    }
}

TEST(WithoutWindowingModule, WindowsFailWithLoadingErrorEveryTime) {
    ErrObject* err = createErrObject(5, u"s", u"d");
    for (int attempt = 0; attempt < 2; ++attempt) {
        expectLoadingFailure([&] { ShowError(u"m", u"p", err, u""); }, u"QorCommon1");
        expectLoadingFailure([] { ShowAppVersion(u"Demo", u"2.1"); },
                             u"QorCommon1.Common.ShowAppVersion; QorCommon1");
    }
    err->Release();
    EXPECT_FALSE(qtMapped());
}

TEST(WithoutWindowingModule, SwallowedReportsStillReturn) {
    // PadString reports a bad pad character through ShowError and returns "".
    EXPECT_EQ(PadString(u"abc", 6, u"00", 0, false), u"");
    EXPECT_FALSE(qtMapped());
}

TEST(WithoutWindowingModule, ErrorsBeforeAnyWindowKeepTheirOwnNumber) {
    expectError([] { ShowError(u"m", u"p", nullptr, u""); }, 91, u"QorCommon1",
                u"Object variable or With block variable not set");
}

} // namespace
} // namespace qor::common
