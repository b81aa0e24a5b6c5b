// The one table of classic error numbers, as the runtime's error objects read it.
#include <gtest/gtest.h>

#include <set>

#include "qor/error_numbers.h"
#include "qor/runtime.h"

namespace {

TEST(ErrorNumbers, EachNumberHasOneTextAndTheRuntimeUsesIt) {
    std::set<std::int32_t> seen;
    for (const qor::ClassicError& e : qor::kClassicErrors) {
        EXPECT_TRUE(seen.insert(e.number).second) << e.number << " twice";
        EXPECT_FALSE(e.text.empty()) << e.number;
        EXPECT_EQ(qor::toUtf8(qor::standardDescription(e.number)), e.text);
    }
}

TEST(ErrorNumbers, OtherNumbersReadAsApplicationDefined) {
    for (const std::int32_t number : {0, 1, 999999, qor::kErrObjectError + 1, -1}) {
        EXPECT_TRUE(qor::classicErrorText(number).empty()) << number;
        EXPECT_EQ(qor::toUtf8(qor::standardDescription(number)), qor::kApplicationDefinedText);
    }
}

} // namespace
