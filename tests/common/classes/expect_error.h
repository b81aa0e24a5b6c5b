// Runs a call that must fail and checks the error a client would see.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "qor/automation_error.h"
#include "qor/runtime.h"

namespace qor::test {

template <typename Call>
void expectError(Call&& call, std::int32_t number, std::u16string_view source,
                 std::u16string_view description) {
    try {
        call();
        ADD_FAILURE() << "no error raised";
    } catch (const AutomationError& err) {
        EXPECT_EQ(err.number, number);
        EXPECT_EQ(toUtf8(err.source), toUtf8(source));
        EXPECT_EQ(toUtf8(err.description), toUtf8(description));
    }
}

} // namespace qor::test
