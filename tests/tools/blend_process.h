// Runs quillan-blend as a child process and collects what it printed.
#pragma once

#include <string>
#include <vector>

namespace blendtest {

struct Finished {
    int status = -1; // exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
};

Finished runBlend(const std::vector<std::string>& arguments);
// Any program, such as a copy of quillan-blend or a tool that reads its output.
Finished runProgram(const std::string& program, const std::vector<std::string>& arguments);

// A program's output cut into lines (each ended by '\n').
std::vector<std::string> lines(const std::string& text);

// The output's lines after its first, the date line, which changes with the clock.
std::vector<std::string> linesAfterDate(const std::string& text);

} // namespace blendtest
