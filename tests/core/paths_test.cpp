#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
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
    if (saved) setenv("XDG_DATA_HOME", previous.c_str(), 1);
    else unsetenv("XDG_DATA_HOME");
}
