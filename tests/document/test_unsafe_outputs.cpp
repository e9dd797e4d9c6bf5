// Saves and exports into a folder that others may write: a link planted
// where a partial file might go redirects nothing, an output that is a
// device, a FIFO or a folder is refused and stays what it was, and a target
// of the longest name the system allows is written.

#include "document/element_kind.h"
#include "document/io_error.h"
#include "document/working_file.h"
#include "support/file_helpers.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace veltrano;
using veltrano::test::fileBytes;
using veltrano::test::folderEntries;
using veltrano::test::putFileBytes;

namespace {

class UnsafeOutputs : public ::testing::Test {
protected:
    UnsafeOutputs() : work(FileSystem::system(), (m_dir.path() + "/work").toStdString())
    {
        QDir(m_dir.path()).mkpath("work");
        QDir(m_dir.path()).mkpath("out");
        work.createEmpty();
        work.AppendRecords({makeRecord(kind::SingleBond, 10, 10, 40, 10), makeRecord(0, 50, 50, 12, 0)});
    }

    std::string out(const std::string& name) const { return m_dir.path().toStdString() + "/out/" + name; }

    // The two ways a kept file is written: the document saved, an export.
    void writeBoth(const std::string& target, const std::function<void(const char* how)>& check)
    {
        work.saveTo(target);
        check("save");
        work.writeKeptFile(target, {1, 2, 3});
        check("export");
    }

    static mode_t typeOf(const std::string& path, int (*statCall)(const char*, struct stat*) = ::lstat)
    {
        struct stat st {};
        return statCall(path.c_str(), &st) == 0 ? st.st_mode & S_IFMT : 0;
    }

    QTemporaryDir m_dir;
    WorkingFile work;
};

TEST_F(UnsafeOutputs, ALinkPlantedAsThePartialFileRedirectsNothing)
{
    const std::string victim = out("victim.txt");
    putFileBytes(victim, {'k', 'e', 'e', 'p'});
    const std::string target = out("g.cfd");
    // The name earlier versions gave the partial file, known in advance.
    const std::string planted = target + ".part" + std::to_string(::getpid());
    ASSERT_EQ(::symlink("victim.txt", planted.c_str()), 0);

    writeBoth(target, [&](const char* how) {
        EXPECT_EQ(fileBytes(victim), (test::Bytes{'k', 'e', 'e', 'p'})) << how;
        EXPECT_EQ(typeOf(target), mode_t(S_IFREG)) << how;
        EXPECT_EQ(typeOf(planted), mode_t(S_IFLNK)) << how;
        EXPECT_EQ(folderEntries(out("")).size(), 3u) << how;
    });
    EXPECT_EQ(fileBytes(target), (test::Bytes{1, 2, 3}));
}

TEST_F(UnsafeOutputs, AnOutputThatIsNoOrdinaryFileIsRefusedAndKept)
{
    // Devices of the test's own: a fault here must not reach the system's.
    ASSERT_EQ(::mknod(out("mynull").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0) << "needs root";
    ASSERT_EQ(::mkfifo(out("pipe").c_str(), 0644), 0);
    struct Case {
        const char* name;
        std::function<int(const std::string&)> make;
        mode_t type;  // of what the output names once links are followed
        const char* message;
    };
    const Case cases[] = {
        {"fifo.svg", [](const std::string& p) { return ::mkfifo(p.c_str(), 0644); }, S_IFIFO,
         "„fifo.svg“ ist keine gewöhnliche Datei"},
        {"device.svg", [](const std::string& p) { return ::mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 3)); },
         S_IFCHR, "„device.svg“ ist keine gewöhnliche Datei"},
        {"b.svg", [](const std::string& p) { return ::symlink("mynull", p.c_str()); }, S_IFCHR,
         "„b.svg“ ist keine gewöhnliche Datei"},
        {"zur-pipe.cfd", [](const std::string& p) { return ::symlink("pipe", p.c_str()); }, S_IFIFO,
         "„zur-pipe.cfd“ ist keine gewöhnliche Datei"},
        {"ordner.cfd", [](const std::string& p) { return ::mkdir(p.c_str(), 0755); }, S_IFDIR, "Ist ein Ordner"},
    };
    for (const Case& c : cases) {
        const std::string target = out(c.name);
        ASSERT_EQ(c.make(target), 0) << c.name;
        const std::vector<std::string> before = folderEntries(out(""));
        for (const bool save : {true, false}) {
            try {
                if (save)
                    work.saveTo(target);
                else
                    work.writeKeptFile(target, {1, 2, 3});
                ADD_FAILURE() << c.name << " written";
            } catch (const IoError& error) {
                EXPECT_STREQ(error.what(), c.message) << c.name;
            }
            EXPECT_EQ(typeOf(target, ::stat), c.type) << c.name;
            EXPECT_EQ(folderEntries(out("")), before) << c.name;
            EXPECT_FALSE(test::fileExists(work.pathOf(workfile::SaveInProgress))) << c.name;
        }
    }
}

TEST_F(UnsafeOutputs, ATargetOfTheLongestNameIsWritten)
{
    const std::string name = std::string(251, 'n') + ".cfd";
    ASSERT_EQ(name.size(), 255u);
    const std::string target = out(name);
    writeBoth(target, [&](const char* how) {
        EXPECT_EQ(folderEntries(out("")), std::vector<std::string>{name}) << how;
    });
    EXPECT_EQ(fileBytes(target), (test::Bytes{1, 2, 3}));
}

}  // namespace
