// The child process of the kill test: runs the kill session (see
// kill_script.h) on a WorkDir base and a document folder and announces on
// standard output each step before it starts, as a line "<step> <kind>",
// and each write, flush and rename of a file before it is made, as a line
// "op", so that the test can kill it in the middle of a chosen step or
// file operation.
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
// a marker. A failed announcement ends the driver: the test has gone.
void announce(const std::string& line)
{
    if (::write(STDOUT_FILENO, line.data(), line.size()) != ssize_t(line.size()))
        std::_Exit(1);
}

// The operating system's file calls, the ones that change files announced.
class AnnouncingFileSystem : public veltrano::FileSystem {
public:
    long long write(int fd, const void* buffer, std::size_t size) override
    {
        announce("op\n");
        return FileSystem::write(fd, buffer, size);
    }
    bool flush(int fd) override
    {
        announce("op\n");
        return FileSystem::flush(fd);
    }
    bool rename(const std::string& from, const std::string& to) override
    {
        announce("op\n");
        return FileSystem::rename(from, to);
    }
};

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

    AnnouncingFileSystem fs;
    veltrano::test::KillSession session(fs, argv[1], argv[2]);
    for (int step = 0; step < steps; ++step) {
        announce(std::to_string(step) + " " + veltrano::test::KillSession::stepKind(step) + "\n");
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
