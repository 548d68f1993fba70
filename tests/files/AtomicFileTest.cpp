#include "AtomicFile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace tovarin;

TEST(WriteFileAtomically, ReplacesTheFileAndLeavesNoTemporary)
{
    TempDir dir;
    const std::string path = dir.Path("out.txt");
    WriteWholeFile(path, "old contents that are longer");
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, "new\r\n", error)) << error;
    EXPECT_EQ(ReadWholeFile(path), "new\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Root()), {}), 1);
}

TEST(WriteFileAtomically, FailureLeavesTheOldFileAndSaysWhy)
{
    TempDir dir;
    const std::string path = dir.Path("missing-dir/out.txt");
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(path, "x", error));
    EXPECT_EQ(error, "No such file or directory");

    if (geteuid() != 0) { // root writes into read-only directories
        const std::string kept = dir.Path("kept.txt");
        WriteWholeFile(kept, "old");
        std::filesystem::permissions(dir.Root(), std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::owner_exec);
        EXPECT_FALSE(WriteFileAtomically(kept, "new", error));
        EXPECT_EQ(error, "Permission denied");
        EXPECT_EQ(ReadWholeFile(kept), "old");
    }
}

TEST(WriteFileAtomically, DeviceIsWrittenInPlaceAndAFullDeviceFails)
{
    std::string error;
    EXPECT_TRUE(WriteFileAtomically("/dev/null", "bytes", error)) << error;
    EXPECT_FALSE(WriteFileAtomically("/dev/full", "bytes", error));
    EXPECT_EQ(error, "No space left on device");
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}
