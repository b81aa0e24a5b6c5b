#include <gtest/gtest.h>

#include "common_ops.h"
#include "expect_error.h"
#include "qor_test/fake_label.h"

namespace qor::common {
namespace {

using test::expectError;
using test::FakeLabel;

TEST(ResetLabel, WithoutTextRestoresTheTag) {
    FakeLabel label;
    label.tag = u"Ready";
    label.caption = u"Busy";
    ResetLabel(&label, u"");
    EXPECT_EQ(label.caption, u"Ready");
    EXPECT_EQ(label.tagReads, 1);
}

TEST(ResetLabel, WithTextWritesItAndLeavesTheTagUnread) {
    FakeLabel label;
    label.tag = u"Ready";
    label.caption = u"Busy";
    ResetLabel(&label, u"Done");
    EXPECT_EQ(label.caption, u"Done");
    EXPECT_EQ(label.tagReads, 0);
    EXPECT_EQ(label.references(), 1u);
}

TEST(ResetLabel, FailuresCarryItsPrefix) {
    expectError([] { ResetLabel(nullptr, u"x"); }, 91, u"QorCommon1.Common.ResetLabel; QorCommon1",
                u"Object variable or With block variable not set");
    FakeLabel noTag;
    noTag.hasTag = false;
    expectError([&] { ResetLabel(&noTag, u""); }, 438, u"QorCommon1.Common.ResetLabel; QorCommon1",
                u"Object doesn't support this property or method");
}

TEST(UpdateLabel, WritesTheCaptionAndRefreshes) {
    FakeLabel label;
    label.caption = u"old";
    UpdateLabel(&label, u"Saving...");
    EXPECT_EQ(label.caption, u"Saving...");
    EXPECT_EQ(label.refreshCalls, 1);
    UpdateLabel(&label, u"");
    EXPECT_EQ(label.caption, u"");
    EXPECT_EQ(label.refreshCalls, 2);
}

TEST(UpdateLabel, FailuresCarryItsPrefix) {
    expectError([] { UpdateLabel(nullptr, u"x"); }, 91,
                u"QorCommon1.Common.UpdateProgressLabel; QorCommon1",
                u"Object variable or With block variable not set");
    FakeLabel noRefresh;
    noRefresh.hasRefresh = false;
    expectError([&] { UpdateLabel(&noRefresh, u"x"); }, 438,
                u"QorCommon1.Common.UpdateProgressLabel; QorCommon1",
                u"Object doesn't support this property or method");
    EXPECT_EQ(noRefresh.caption, u"x");
    // An error the object raises itself keeps its number, source and description.
    FakeLabel failing;
    failing.refreshFails = true;
    expectError([&] { UpdateLabel(&failing, u"x"); }, 380,
                u"QorCommon1.Common.UpdateProgressLabel; FakeLabel", u"Invalid property value");
}

} // namespace
} // namespace qor::common
