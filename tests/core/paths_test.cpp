#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/paths.h"
#include "support/test_paths.h"

using namespace kombitron;

TEST(Paths, SaveExtensionRule)
{
    EXPECT_EQ(applySaveExtension("resultado.txt", ".xml"), "resultado.xml");
    EXPECT_EQ(applySaveExtension("resultado", ".xml"), "resultado.xml");
    // the dot is not among the last six characters: the extension is appended
    EXPECT_EQ(applySaveExtension("copia.semana_uno", ".KMB"), "copia.semana_uno.KMB");
    EXPECT_EQ(applySaveExtension("/datos/a.b", ".txt"), "/datos/a.txt");
    EXPECT_EQ(applySaveExtension("x.", ".xml"), "x.xml");
    // a dot in a folder name is not an extension
    EXPECT_EQ(applySaveExtension("res.v/out", ".KMB"), "res.v/out.KMB");
    EXPECT_EQ(applySaveExtension("C:\\res.v\\out", ".KMB"), "C:\\res.v\\out.KMB");
    EXPECT_EQ(applySaveExtension("/a.b/c.d/x.txt", ".KMB"), "/a.b/c.d/x.KMB");
    EXPECT_EQ(applySaveExtension("/a.b/c.d/", ".xml"), "/a.b/c.d/.xml");
    EXPECT_EQ(fileNameOf("C:\\juegos\\mi base.xml"), "mi base.xml");
    EXPECT_EQ(fileNameOf("/home/p/base.xml"), "base.xml");
}

TEST(Paths, AtomicWriteReplacesTheTarget)
{
    test::TempDir dir;
    const std::string target = dir.file("a.txt");
    std::string failure;
    ASSERT_TRUE(writeFileAtomically(target, "one", failure));
    ASSERT_TRUE(writeFileAtomically(target, "two", failure));
    EXPECT_EQ(test::readFile(target), "two");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(Paths, FailedWriteKeepsThePreviousFile)
{
    if (geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
    test::TempDir dir;
    const std::string target = dir.file("a.txt");
    std::string failure;
    ASSERT_TRUE(writeFileAtomically(target, "precious", failure));
    chmod(dir.path().c_str(), 0500);
    EXPECT_FALSE(writeFileAtomically(target, "new", failure));
    chmod(dir.path().c_str(), 0700);
    EXPECT_FALSE(failure.empty());
    EXPECT_EQ(test::readFile(target), "precious");
}

TEST(Paths, UncommittedWriterLeavesNoTrace)
{
    test::TempDir dir;
    const std::string target = dir.file("b.txt");
    std::string failure;
    ASSERT_TRUE(writeFileAtomically(target, "old", failure));
    {
        AtomicFileWriter writer;
        ASSERT_TRUE(writer.open(target, failure));
        ASSERT_TRUE(writer.write("half a fil", failure));
        // an error mid-way: the writer is dropped without commit
    }
    EXPECT_EQ(test::readFile(target), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(Paths, ApplicationFolderFallsBackToTheUserDataFolder)
{
    test::TempDir dir;
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string previous = saved ? saved : "";
    setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
    setApplicationFolder(dir.file("no-such-folder"));
    EXPECT_EQ(applicationFolder(), dir.file("kombitron"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("kombitron")));
    setApplicationFolder(dir.path().string());
    EXPECT_EQ(applicationFolder(), dir.path().string());
    // The installed programs' folder is writable for root, yet reports must not land among the
    // programs: they go to the user's data folder like anyone else's.
    if (std::filesystem::is_directory(installedProgramFolder())) {
        setApplicationFolder(installedProgramFolder());
        EXPECT_EQ(applicationFolder(), dir.file("kombitron"));
        setApplicationFolder(installedProgramFolder() + "/.");
        EXPECT_EQ(applicationFolder(), dir.file("kombitron"));
    }
    if (saved) setenv("XDG_DATA_HOME", previous.c_str(), 1);
    else unsetenv("XDG_DATA_HOME");
}

namespace {
size_t entriesIn(const std::filesystem::path& folder)
{
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}
} // namespace

TEST(Paths, AtomicSetReplacesEveryFileOrNone)
{
    test::TempDir dir;
    const std::string xml = dir.file("base.xml"), kmb = dir.file("base.KMB");
    test::writeFile(xml, "old xml");
    test::writeFile(kmb, "old kmb");
    std::string failure;
    {
        AtomicFileSet set;
        AtomicFileWriter* first = set.add(xml, failure);
        AtomicFileWriter* second = set.add(kmb, failure);
        ASSERT_TRUE(first && second);
        ASSERT_TRUE(first->write("new xml", failure));
        ASSERT_TRUE(second->write("new kmb", failure));
        EXPECT_EQ(test::readFile(xml), "old xml"); // nothing changes before the commit
        ASSERT_TRUE(set.commit(failure)) << failure;
    }
    EXPECT_EQ(test::readFile(xml), "new xml");
    EXPECT_EQ(test::readFile(kmb), "new kmb");
    EXPECT_EQ(entriesIn(dir.path()), 2u);

    // The last rename fails (its target is a folder): the file renamed before it gets its old
    // contents back and a file that did not exist before is gone again.
    const std::string fresh = dir.file("fresh.xml"), blocked = dir.file("blocked.KMB");
    std::filesystem::create_directory(blocked);
    {
        AtomicFileSet set;
        AtomicFileWriter* a = set.add(xml, failure);
        AtomicFileWriter* b = set.add(fresh, failure);
        AtomicFileWriter* c = set.add(blocked, failure);
        ASSERT_TRUE(a && b && c);
        ASSERT_TRUE(a->write("lost", failure) && b->write("lost", failure) && c->write("lost", failure));
        EXPECT_FALSE(set.commit(failure));
        EXPECT_EQ(failure, "es una carpeta, no un fichero");
    }
    EXPECT_EQ(test::readFile(xml), "new xml");
    EXPECT_FALSE(std::filesystem::exists(fresh));
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
    EXPECT_EQ(entriesIn(dir.path()), 3u);

    // A member whose temporary file cannot be created drops the whole set.
    {
        AtomicFileSet set;
        ASSERT_TRUE(set.add(xml, failure));
        EXPECT_EQ(set.add(dir.file("no-such-folder/x.KMB"), failure), nullptr);
        EXPECT_EQ(failure, "no existe el fichero o la carpeta");
    }
    EXPECT_EQ(entriesIn(dir.path()), 3u);
}

TEST(Paths, SaveKeepsPermissionsAndWritesThroughLinks)
{
    test::TempDir dir;
    std::string failure;
    const std::string target = dir.file("report.txt");
    test::writeFile(target, "old");
    chmod(target.c_str(), 0640);
    ASSERT_TRUE(writeFileAtomically(target, "new", failure));
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    // a relative link to a link to the real file: both links stay, the real file changes
    std::filesystem::create_directory(dir.file("real"));
    const std::string real = dir.file("real/data.KMB");
    test::writeFile(real, "old");
    std::filesystem::create_symlink("real/data.KMB", dir.file("inner"));
    std::filesystem::create_symlink(dir.file("inner"), dir.file("outer.KMB"));
    ASSERT_TRUE(writeFileAtomically(dir.file("outer.KMB"), "through", failure)) << failure;
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("outer.KMB")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("inner")));
    EXPECT_EQ(test::readFile(real), "through");
    EXPECT_EQ(entriesIn(dir.file("real")), 1u);
    // a dangling link creates the file it names
    std::filesystem::create_symlink("real/new.KMB", dir.file("dangling"));
    ASSERT_TRUE(writeFileAtomically(dir.file("dangling"), "created", failure)) << failure;
    EXPECT_EQ(test::readFile(dir.file("real/new.KMB")), "created");
}

TEST(Paths, LongestFileNameStillSaves)
{
    test::TempDir dir;
    std::string failure;
    for (size_t length : {245u, 254u, 255u}) {
        SCOPED_TRACE(length);
        const std::string target = dir.file(std::string(length - 4, 'n') + ".KMB");
        ASSERT_TRUE(writeFileAtomically(target, "one", failure)) << failure;
        AtomicFileSet set;
        AtomicFileWriter* writer = set.add(target, failure);
        ASSERT_TRUE(writer);
        ASSERT_TRUE(writer->write("two", failure));
        ASSERT_TRUE(set.commit(failure)) << failure;
        EXPECT_EQ(test::readFile(target), "two");
    }
    EXPECT_EQ(entriesIn(dir.path()), 3u);
}

TEST(Paths, FileSizeLimitFailsWithItsMessage)
{
    test::TempDir dir;
    const std::string target = dir.file("big.KMB");
    test::writeFile(target, "old");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Without the signal ignored the child dies of SIGXFSZ here.
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::string failure;
        const bool written = writeFileAtomically(target, std::string(100000, 'x'), failure);
        _exit(!written && failure == "el fichero supera el tamaño máximo permitido" ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(test::readFile(target), "old");
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

namespace {
void removeTemporariesAndLeave(int)
{
    removePendingTemporaries();
    _exit(130);
}
} // namespace

TEST(Paths, PendingTemporariesGoAwayOnInterrupt)
{
    test::TempDir dir;
    const std::string target = dir.file("a.KMB");
    test::writeFile(target, "old");
    std::string failure;
    {
        AtomicFileWriter writer;
        ASSERT_TRUE(writer.open(target, failure));
        ASSERT_TRUE(writer.write("half", failure));
        EXPECT_EQ(entriesIn(dir.path()), 2u);
        removePendingTemporaries();
        EXPECT_EQ(entriesIn(dir.path()), 1u);
        // the save then fails and the target stays as it was
        EXPECT_FALSE(writer.commit(failure));
        EXPECT_EQ(failure, "no existe el fichero o la carpeta");
    }
    EXPECT_EQ(test::readFile(target), "old");

    // Through a real signal in a child, as the command line's Ctrl-C handling does it.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGINT, removeTemporariesAndLeave);
        AtomicFileSet set;
        std::string why;
        AtomicFileWriter* one = set.add(target, why);
        AtomicFileWriter* two = set.add(dir.file("b.xml"), why);
        if (!one || !two || !one->write("x", why)) _exit(1);
        raise(SIGINT);
        _exit(2);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 130);
    EXPECT_EQ(test::readFile(target), "old");
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}
