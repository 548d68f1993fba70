#include "AtomicFile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace tovarin;
namespace fs = std::filesystem;

namespace {

// The names in a folder, sorted.
std::vector<std::string> Entries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(WriteFileAtomically, ReplacesTheFileAndLeavesNothingElse)
{
    TempDir dir;
    const std::string name(250, 'n'); // longer than any "name.tmp.<pid>" scheme allows
    WriteWholeFile(dir.Path(name), "old contents that are longer");
    ::chmod(dir.Path(name).c_str(), 0600);
    ASSERT_TRUE(WriteFileAtomically(dir.Path(name), "new\r\n").ok);
    EXPECT_EQ(ReadWholeFile(dir.Path(name)), "new\r\n");
    EXPECT_EQ(fs::status(dir.Path(name)).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Entries(dir.Root()), std::vector<std::string>{name});
}

TEST(WriteFileAtomically, FailuresNameThePathOrTheFolderAndTheReason)
{
    TempDir dir;
    const FileResult missing = WriteFileAtomically(dir.Path("missing/out.txt"), "x");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.Message(), dir.Path("missing") + ": No such file or directory");

    const FileResult full = WriteFileAtomically("/dev/full", "bytes"); // a device: in place
    EXPECT_EQ(full.Message(), "/dev/full: No space left on device");
    EXPECT_TRUE(WriteFileAtomically("/dev/null", "bytes").ok);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));

    // A file size limit makes the write fail even for root; the old file stays.
    const std::string kept = dir.Path("kept.txt");
    WriteWholeFile(kept, "old");
    FileResult tooLarge;
    WithFileSizeLimit(2, [&] { tooLarge = WriteFileAtomically(kept, "new and longer"); });
    EXPECT_EQ(tooLarge.Message(), kept + ": File too large");
    EXPECT_EQ(ReadWholeFile(kept), "old");
    EXPECT_EQ(Entries(dir.Root()), std::vector<std::string>{"kept.txt"});
}

TEST(WriteFileAtomically, AKilledWriteIsCleanedUpAndPlantedLinksAreNeverFollowed)
{
    TempDir dir;
    const std::string path = dir.Path("tovarin.cfg");
    WriteWholeFile(path, "old");
    InterruptNextAtomicWriteForTesting();
    EXPECT_FALSE(WriteFileAtomically(path, "lost").ok);
    EXPECT_EQ(ReadWholeFile(path), "old");
    const std::vector<std::string> names = Entries(dir.Root());
    ASSERT_EQ(names.size(), 2u); // the stale temporary
    const std::string temporary = dir.Path(names[0] == "tovarin.cfg" ? names[1] : names[0]);
    ASSERT_TRUE(WriteFileAtomically(path, "new").ok);
    EXPECT_EQ(ReadWholeFile(path), "new");
    EXPECT_EQ(Entries(dir.Root()), std::vector<std::string>{"tovarin.cfg"});

    // A link or a folder planted at the temporary's name is never followed.
    WriteWholeFile(dir.Path("victim"), "precious");
    fs::create_symlink(dir.Path("victim"), temporary);
    ASSERT_TRUE(WriteFileAtomically(path, "one").ok);
    EXPECT_EQ(ReadWholeFile(dir.Path("victim")), "precious");
    fs::create_directory(temporary);
    ASSERT_TRUE(WriteFileAtomically(path, "two").ok);
    EXPECT_EQ(ReadWholeFile(path), "two");
    EXPECT_TRUE(fs::is_directory(temporary));
}

TEST(WriteFileAtomically, ALinkAtTheTargetStaysALink)
{
    TempDir dir;
    fs::create_directory(dir.Path("real"));
    WriteWholeFile(dir.Path("real/settings"), "old");
    fs::create_symlink("real/settings", dir.Path("link"));
    ASSERT_TRUE(WriteFileAtomically(dir.Path("link"), "new").ok);
    EXPECT_TRUE(fs::is_symlink(dir.Path("link")));
    EXPECT_EQ(ReadWholeFile(dir.Path("real/settings")), "new");
}

TEST(WriteFileAtomically, TwoWritersOfOneTargetGetTwoTemporaries)
{
    TempDir dir;
    const std::string target = dir.Path("out.inc");
    std::string first, second, third;
    const int a = CreateTemporaryBeside(target, first);
    const int b = CreateTemporaryBeside(target, second);
    ASSERT_GE(a, 0);
    ASSERT_GE(b, 0);
    EXPECT_NE(first, second); // the first is held, so the second takes another name
    ::close(b);
    // A temporary whose writer is gone is taken over, the held one never.
    const int c = CreateTemporaryBeside(target, third);
    EXPECT_EQ(third, second);
    ::close(a);
    ::close(c);
}
