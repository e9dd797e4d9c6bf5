// Every command that writes, with each of its file operations failing once
// in turn (n = 1, 2, ... until a run meets no fault): every file keeps its
// old or gets its new content, byte for byte, the page shows the document,
// the user is told exactly once, and the next drawing works.

#include "scene.h"

#include "command_table.h"
#include "editor/guarded.h"

#include <cerrno>
#include <cstdio>

#include <gtest/gtest.h>

namespace veltrano {
namespace {

using test::Case;
using test::Scene;
using test::writingCommands;

// One command with the n-th operation failing; false once a run met no
// fault. after holds the files of a run without any fault.
bool runWithFault(const Case& c, int n, int error, const Scene::Files& after, int& faults)
{
    Scene scene;
    if (c.prepare)
        c.prepare(scene);
    const Scene::Files before = scene.files();
    scene.ui.clearLog();
    scene.fs.failAt(n, error);
    runGuarded(scene.ui, [&] { c.command(*scene.editor); });
    const bool injected = scene.fs.injected();
    scene.fs.disarm();
    if (!injected)
        return false;
    ++faults;
    const std::string where = std::string(c.name) + ", fault at operation " + std::to_string(n);

    const Scene::Files now = scene.files();
    bool allNew = true;
    for (const auto& [name, bytes] : now) {
        const bool isOld = before.count(name) && before.at(name) == bytes;
        const bool isNew = after.count(name) && after.at(name) == bytes;
        EXPECT_TRUE(isOld || isNew) << where << ": " << name << " is neither its old nor its new content (" << bytes.size()
                                    << " bytes; old " << (before.count(name) ? before.at(name).size() : 0) << ", new "
                                    << (after.count(name) ? after.at(name).size() : 0) << ")";
        allNew = allNew && isNew;
    }
    for (const auto& [name, bytes] : before)
        EXPECT_TRUE(now.count(name) || !after.count(name)) << where << ": " << name << " vanished";

    // One message; none only when the fault hit a step that may fail
    // without harm and everything was written.
    const std::size_t told = scene.ui.errors.size() + scene.ui.messages.size();
    if (told == 0)
        EXPECT_TRUE(allNew && now.size() == after.size()) << where << ": a silent failure";
    else
        EXPECT_EQ(told, 1u) << where;

    scene.expectPageShowsTheDocument(where);
    scene.expectDrawingStillWorks(where);
    return true;
}

TEST(FaultInjection, EveryWritingCommandSurvivesEachOperationFailingOnce)
{
    int total = 0;
    std::string summary;
    for (const Case& c : writingCommands()) {
        Scene reference;
        if (c.prepare)
            c.prepare(reference);
        runGuarded(reference.ui, [&] { c.command(*reference.editor); });
        ASSERT_TRUE(reference.ui.errors.empty() && reference.ui.messages.empty()) << c.name << " fails without a fault";
        const Scene::Files after = reference.files();

        int faults = 0;
        for (int error : {EIO, ENOSPC}) {
            int n = 1;
            while (runWithFault(c, n, error, after, faults) && n < 500)
                ++n;
            ASSERT_LT(n, 500) << c.name << " never ran without a fault";
        }
        EXPECT_GT(faults, 0) << c.name;
        total += faults;
        summary += std::string(c.name) + " " + std::to_string(faults) + ", ";
    }
    ::testing::Test::RecordProperty("faults_injected", total);
    std::printf("[ robustness ] faults injected: %d (%s)\n", total, summary.c_str());
}

}  // namespace
}  // namespace veltrano
