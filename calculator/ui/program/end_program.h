// How the calculator ends: at once, as its windows and its start-up expect.
#pragma once

namespace program {

// Ends the process at once: no close handler of any window runs and nothing is saved.
[[noreturn]] void EndProgram(int status);

} // namespace program
