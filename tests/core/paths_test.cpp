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
