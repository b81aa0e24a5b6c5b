#pragma once

#include "engine/runtime_error.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace quillan::test {

// Runs `action` and checks that it throws a RuntimeError with this number, source and
// description.
template <typename Action>
void expectRuntimeError(Action&& action, std::int32_t number, const std::string& source,
                        const std::string& description) {
    try {
        action();
        ADD_FAILURE() << "expected error " << number;
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number, number);
        EXPECT_EQ(error.source, source);
        EXPECT_EQ(error.description, description);
    }
}

// The same for a classic error with its usual source and description.
template <typename Action> void expectClassicError(Action&& action, std::int32_t number) {
    expectRuntimeError(action, number, kRuntimeErrorSource, classicErrorDescription(number));
}

} // namespace quillan::test
