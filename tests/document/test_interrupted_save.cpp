// A save or an export that a crash interrupts leaves its partial file beside
// the kept file, outside the WorkDir: the note in the WorkDir names it, and
// the next start removes it (and nothing but a partial file).

#include "document/element_kind.h"
#include "document/record_file.h"
#include "document/working_file.h"
#include "support/file_helpers.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <sys/wait.h>
#include <unistd.h>

using namespace veltrano;
using veltrano::test::fileBytes;
using veltrano::test::fileExists;
using veltrano::test::folderEntries;
using veltrano::test::putFileBytes;
using veltrano::test::recordFileBytes;

namespace {

// The real file system, ending the process where a save would rename its
// complete new file into the folder: a crash at the last moment.
class CrashBeforeRename : public FileSystem {
public:
    explicit CrashBeforeRename(std::string folder) : m_folder(std::move(folder)) {}
    bool rename(const std::string& from, const std::string& to) override
    {
        if (to.rfind(m_folder, 0) == 0)
            ::_exit(0);
        return FileSystem::rename(from, to);
    }

private:
    std::string m_folder;
};

TEST(InterruptedSave, TheNextStartRemovesThePartialFileBesideTheSavedFileAndOnlyThat)
{
    QTemporaryDir root;
    const std::string work = root.path().toStdString() + "/work/";
    const std::string folder = root.path().toStdString() + "/Formeln/";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(work)) && QDir().mkpath(QString::fromStdString(folder)));
    const std::string target = folder + "benzol.cfd";
    const test::Bytes old = recordFileBytes({makeRecord(kind::SingleBond, 1, 1, 31, 1)});
    putFileBytes(target, old);
    putFileBytes(work + "temp.dat", recordFileBytes({makeRecord(kind::DoubleBond, 5, 5, 35, 5)}));

    // A save that completes leaves no note.
    WorkingFile working(FileSystem::system(), work);
    working.saveTo(folder + "kopie.cfd");
    EXPECT_FALSE(fileExists(work + "speichern.txt"));

    // The document saved, and an export written beside it.
    for (const char* name : {"benzol.cfd", "benzol.bmp"}) {
        const std::string kept = folder + name;
        const bool save = std::string(name).ends_with(".cfd");
        if (!save)
            putFileBytes(kept, old);
        const pid_t child = ::fork();
        if (child == 0) {
            CrashBeforeRename crashing(folder);
            WorkingFile interrupted(crashing, work);
            if (save)
                interrupted.saveTo(kept);
            else
                interrupted.writeKeptFile(kept, test::Bytes(100, 0x42));
            ::_exit(1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << name;
        // The note names the partial file, which lies beside the kept one.
        const test::Bytes note = fileBytes(work + "speichern.txt");
        const std::string part(note.begin(), note.end());
        EXPECT_EQ(part.rfind(folder, 0), 0u) << name;
        ASSERT_TRUE(isPartialFileName(part)) << part;
        ASSERT_TRUE(fileExists(part)) << name;

        working.removeInterruptedSave();
        EXPECT_FALSE(fileExists(part)) << name;
        EXPECT_EQ(fileBytes(kept), old) << name;
        EXPECT_FALSE(fileExists(work + "speichern.txt")) << name;
    }
    EXPECT_EQ(folderEntries(folder), (std::vector<std::string>{"benzol.bmp", "benzol.cfd", "kopie.cfd"}));

    // A note that names anything but a partial file removes nothing.
    for (const std::string& named : {target, folder, folder + "x.part", std::string("benzol.cfd.part12")}) {
        putFileBytes(work + "speichern.txt", test::Bytes(named.begin(), named.end()));
        working.removeInterruptedSave();
        EXPECT_FALSE(fileExists(work + "speichern.txt")) << named;
    }
    EXPECT_EQ(folderEntries(folder), (std::vector<std::string>{"benzol.bmp", "benzol.cfd", "kopie.cfd"}));
}

}  // namespace
