#pragma once
// The commands that write files, each with what it needs to find ready (a
// selection, a copy buffer, dialog answers): the table the robustness tests
// run their faults through.

#include "scene.h"

#include <functional>
#include <vector>

namespace veltrano::test {

struct Case {
    const char* name;
    std::function<void(Scene&)> prepare;  // may be empty
    std::function<void(Editor&)> command;
};

std::vector<Case> writingCommands();

}  // namespace veltrano::test
