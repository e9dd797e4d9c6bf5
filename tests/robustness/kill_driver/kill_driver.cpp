// The child process of the kill test: runs the kill session (see
// kill_script.h) on a WorkDir base and a document folder and announces
// each step on standard output before it starts, as one line "<step>
// <kind>", so that the test can kill it in the middle of a chosen step.
//
//   kill_driver <WorkDir base> <document folder> <number of steps>
//
// Exits with 0 after the last step, with 2 when a step failed or told the
// user anything (the test then reports the text from standard error).

#include "kill_script.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include <unistd.h>

namespace {

// One write per line: a pipe takes it whole, so the reader never sees half
// a marker.
bool announce(int step, const char* kind)
{
    const std::string line = std::to_string(step) + " " + kind + "\n";
    return ::write(STDOUT_FILENO, line.data(), line.size()) == ssize_t(line.size());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: kill_driver <WorkDir base> <document folder> <steps>\n");
        return 1;
    }
    // The page is drawn with fonts, which need a GUI application; no
    // window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const int steps = std::atoi(argv[3]);

    veltrano::test::KillSession session(argv[1], argv[2]);
    for (int step = 0; step < steps; ++step) {
        if (!announce(step, veltrano::test::KillSession::stepKind(step)))
            return 1;
        try {
            session.runStep(step);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "step %d failed: %s\n", step, error.what());
            return 2;
        }
        const auto& ui = session.ui();
        if (!ui.errors.empty() || !ui.messages.empty()) {
            std::fprintf(stderr, "step %d told the user: %s\n", step,
                         (ui.errors.empty() ? ui.messages : ui.errors).front().c_str());
            return 2;
        }
    }
    return 0;
}
