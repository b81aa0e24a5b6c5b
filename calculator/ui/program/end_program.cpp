#include "program/end_program.h"

#include <cstdio>
#include <cstdlib>

namespace program {

void EndProgram(int status) {
    std::fflush(nullptr);
    std::_Exit(status);
}

} // namespace program
