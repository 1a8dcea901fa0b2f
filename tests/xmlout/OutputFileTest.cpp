// The output file both writers use: complete or not at all, written out
// block by block, replacing a file with the mode it had, following a link,
// writing a device in place, naming the temporaries earlier runs left. The failures a user meets (a
// full disk, no permission, a missing folder) are run through the programs by the command-line
// tests.

#include "xmlout/OutputFile.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>
#include <vector>

namespace {

using quelttest::readAll;
using quelttest::ScratchDir;
using quelttest::writeAll;

using Names = std::vector<std::string>;

mode_t modeOf(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 0777 : 0;
}

// Text written in pieces through the buffer and flushIfFull, and once
// around it through flushWith: several blocks, every byte in its place.
TEST(OutputFile, ManyBlocksComeOutWholeAndOnlyOnCommit)
{
    ScratchDir dir;
    const std::string target = dir.file("out.txt");
    writeAll(target, "old");
    std::string expected;
    {
        OutputFile file(target);
        ASSERT_TRUE(file.open());
        for (int i = 0; expected.size() < 3 * OutputFile::kBlockSize; ++i) {
            const std::string piece = "line " + std::to_string(i) + "\n";
            file.buffer() += piece;
            expected += piece;
            ASSERT_TRUE(file.flushIfFull());
            if (i == 1000) {
                const std::string direct(OutputFile::kBlockSize / 3, 'd');
                ASSERT_TRUE(file.flushWith(direct.data(), direct.size()));
                expected += direct;
            }
        }
        EXPECT_EQ(readAll(target), "old");
        EXPECT_EQ(dir.entries().size(), 2u) << "the target and its temporary";
        ASSERT_TRUE(file.commit());
    }
    EXPECT_TRUE(readAll(target) == expected) << readAll(target).size() << " bytes";
    EXPECT_EQ(dir.entries(), Names { "out.txt" });
}

TEST(OutputFile, ReplacedFileKeepsItsModeAndANewOneFollowsTheUmask)
{
    ScratchDir dir;
    writeAll(dir.file("kept"), std::string(100000, 'x'));
    ASSERT_EQ(chmod(dir.file("kept").c_str(), 0640), 0);
    const mode_t mask = umask(022);
    for (const char* name : { "kept", "new" }) {
        OutputFile file(dir.file(name));
        ASSERT_TRUE(file.open());
        file.buffer() = "text";
        ASSERT_TRUE(file.commit());
        EXPECT_EQ(readAll(dir.file(name)), "text");
    }
    umask(mask);
    EXPECT_EQ(modeOf(dir.file("kept")), 0640u);
    EXPECT_EQ(modeOf(dir.file("new")), 0644u);
}

// A link is followed: the file it names gets the text, the link stays. A
// device is written in place and never replaced.
TEST(OutputFile, SymbolicLinkAndDevice)
{
    ScratchDir dir;
    writeAll(dir.file("real"), "old");
    ASSERT_EQ(symlink("real", dir.file("link").c_str()), 0);
    for (const std::string& target : { dir.file("link"), std::string("/dev/null") }) {
        OutputFile file(target);
        ASSERT_TRUE(file.open()) << file.reason();
        file.buffer() = "text";
        ASSERT_TRUE(file.commit()) << file.reason();
    }
    struct stat info;
    ASSERT_EQ(lstat(dir.file("link").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(readAll(dir.file("real")), "text");
    EXPECT_EQ(dir.entries(), (Names { "link", "real" }));
    ASSERT_EQ(stat("/dev/null", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
}

// Only temporaries of this very target, in mkostemp's shape and older than
// the process, are named; none is removed, since a run may still be
// writing one.
TEST(OutputFile, LeftoversOfEarlierRunsAreNamedAndKept)
{
    ScratchDir dir;
    const Names others { "other.owl.tmp.aB3dE9", "out.owl.tmp.aB3dE", "out.owl.tmp.fresh1" };
    const utimbuf longAgo { 946684800, 946684800 };
    for (const char* name : { "out.owl.tmp.aB3dE9", "out.owl.tmp.Zz0000" })
        writeAll(dir.file(name), "partial");
    for (const std::string& name : others)
        writeAll(dir.file(name), "partial");
    for (const char* name :
        { "out.owl.tmp.aB3dE9", "out.owl.tmp.Zz0000", "other.owl.tmp.aB3dE9", "out.owl.tmp.aB3dE" })
        ASSERT_EQ(utime(dir.file(name).c_str(), &longAgo), 0);

    OutputFile file(dir.file("out.owl"));
    ASSERT_TRUE(file.open());
    EXPECT_EQ(file.leftovers(),
        (Names { dir.file("out.owl.tmp.Zz0000"), dir.file("out.owl.tmp.aB3dE9") }));
    file.buffer() = "text";
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(dir.entries().size(), 6u) << "the leftovers are kept";
}

} // namespace
