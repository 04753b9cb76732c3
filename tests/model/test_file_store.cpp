// Saving keeps the file what it was: permissions decide, links, owner and mode stay, and a
// failure at any point leaves the previous bytes. Only regular files are read or written.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model_support.h"
#include "unprivileged.h"
#include "widget/model/config_file.h"
#include "widget/model/file_store.h"
#include "widget/model/widget_config.h"

using namespace snippo;
using namespace snippo::test;

namespace {

const std::string kPrevious = "previous contents\r\n";

CWidgetConfig Titled(const std::string& title)
{
    CWidgetConfig c;
    c.SetProgID("SnippoServer.GlimButton");
    c.SetTitle(title);
    c.SetParameter("A", "1");
    c.AddSegment("cursor", "<p>x</p>\r\n");
    return c;
}

struct stat LinkStat(const std::string& path)
{
    struct stat st {};
    EXPECT_EQ(0, ::lstat(path.c_str(), &st)) << path;
    return st;
}

std::string LinkTarget(const std::string& path)
{
    char buffer[4096];
    const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer);
    return n < 0 ? std::string() : std::string(buffer, static_cast<std::size_t>(n));
}

// Ends the process (and so fails the test) should a call block on a pipe or device.
class BlockingGuard {
public:
    BlockingGuard() { ::alarm(20); }
    ~BlockingGuard() { ::alarm(0); }
};

}  // namespace

TEST(SaveAsOrdinaryUser, PermissionsDecideAndTheFileStaysTheSame)
{
    SNIPPO_RUN_UNPRIVILEGED();
    ASSERT_NE(0u, ::geteuid());
    TempDir dir;

    // A write-protected file cannot be opened for writing: refused, untouched.
    const std::string locked = dir.File("protected.qwd");
    WriteAll(locked, kPrevious);
    ASSERT_EQ(0, ::chmod(locked.c_str(), 0444));
    EXPECT_FALSE(Titled("new").WriteFile(locked));
    EXPECT_EQ(kPrevious, ReadAll(locked));
    EXPECT_EQ(0444u, LinkStat(locked).st_mode & 07777);

    // A writable file in a folder the user may not write to is saved where it is.
    const std::string own = dir.File("own.qwd");
    WriteAll(own, kPrevious);
    ASSERT_EQ(0, ::chmod(own.c_str(), 0640));
    const ino_t inode = LinkStat(own).st_ino;
    ASSERT_EQ(0, ::chmod(dir.Path().c_str(), 0555));
    EXPECT_TRUE(Titled("a longer title than the next").WriteFile(own));
    EXPECT_TRUE(Titled("short").WriteFile(own));
    EXPECT_EQ(Titled("short").Format(), ReadAll(own));
    EXPECT_EQ(inode, LinkStat(own).st_ino);
    EXPECT_EQ(0640u, LinkStat(own).st_mode & 07777);

    // A failure half way through puts the previous bytes back.
    const std::string before = ReadAll(own);
    EXPECT_FALSE(WithFileSizeLimit(before.size() + 10, [&] { return Titled(std::string(5000, 't')).WriteFile(own); }));
    EXPECT_EQ(before, ReadAll(own));
    EXPECT_EQ(inode, LinkStat(own).st_ino);

    // No new file can be made there.
    EXPECT_FALSE(Titled("new").WriteFile(dir.File("new.qwd")));

    // The whole save sequence: the applet class file cannot be copied there, but the
    // widget file is saved and reads back.
    CWidgetConfig config;
    CAppletParameters params;
    AddButton(params, {10, 10, 90, 30});
    EXPECT_TRUE(WriteConfigFile(config, params, own, nullptr));
    EXPECT_FALSE(WriteConfigFile(config, params, locked, nullptr));
    CWidgetConfig back;
    CAppletParameters read;
    bool applied = false;
    EXPECT_TRUE(ReadConfigFile(back, read, own, &applied));
    EXPECT_TRUE(applied);
    EXPECT_EQ(config.m_mapParameters, back.m_mapParameters);
    EXPECT_EQ(kPrevious, ReadAll(locked));
    EXPECT_EQ((std::vector<std::string>{"own.qwd", "protected.qwd"}), ListFolder(dir.Path()));
    ::chmod(dir.Path().c_str(), 0755);
}

TEST(SaveFile, LinksStayLinksAndTheFileKeepsOwnerAndMode)
{
    TempDir dir;
    ASSERT_EQ(0, ::mkdir(dir.File("real").c_str(), 0755));
    const std::string target = dir.File("real/target.qwd");
    WriteAll(target, kPrevious);

    // A chain of two links: the target is written, both links stay as they were.
    ASSERT_EQ(0, ::symlink("real/target.qwd", dir.File("link.qwd").c_str()));
    ASSERT_EQ(0, ::symlink(dir.File("link.qwd").c_str(), dir.File("link2.qwd").c_str()));
    EXPECT_TRUE(Titled("through links").WriteFile(dir.File("link2.qwd")));
    EXPECT_EQ(Titled("through links").Format(), ReadAll(target));
    EXPECT_EQ("real/target.qwd", LinkTarget(dir.File("link.qwd")));
    EXPECT_EQ(dir.File("link.qwd"), LinkTarget(dir.File("link2.qwd")));

    // A link whose target does not exist yet creates the target.
    ASSERT_EQ(0, ::symlink("real/later.qwd", dir.File("dangling.qwd").c_str()));
    EXPECT_TRUE(Titled("later").WriteFile(dir.File("dangling.qwd")));
    EXPECT_EQ(Titled("later").Format(), ReadAll(dir.File("real/later.qwd")));
    EXPECT_TRUE(S_ISLNK(LinkStat(dir.File("dangling.qwd")).st_mode));

    // A file with a second name stays one file.
    const ino_t inode = LinkStat(target).st_ino;
    ASSERT_EQ(0, ::link(target.c_str(), dir.File("hard.qwd").c_str()));
    EXPECT_TRUE(Titled("hard").WriteFile(dir.File("hard.qwd")));
    EXPECT_EQ(Titled("hard").Format(), ReadAll(target));
    EXPECT_EQ(inode, LinkStat(target).st_ino);
    EXPECT_EQ(inode, LinkStat(dir.File("hard.qwd")).st_ino);

    // Owner, group and mode, also when the owner is someone else (only the superuser can
    // hand the file over to test that).
    const std::string owned = dir.File("owned.qwd");
    WriteAll(owned, kPrevious);
    ASSERT_EQ(0, ::chmod(owned.c_str(), 02604));
    unsigned uid = 0, gid = 0;
    if (::geteuid() == 0 && UnprivilegedIds(&uid, &gid)) {
        ASSERT_EQ(0, ::chown(owned.c_str(), uid, gid));
    }
    const struct stat was = LinkStat(owned);
    EXPECT_TRUE(Titled("owned").WriteFile(owned));
    const struct stat now = LinkStat(owned);
    EXPECT_EQ(was.st_uid, now.st_uid);
    EXPECT_EQ(was.st_gid, now.st_gid);
    EXPECT_EQ(was.st_mode, now.st_mode);
    EXPECT_EQ(Titled("owned").Format(), ReadAll(owned));

    EXPECT_EQ((std::vector<std::string>{"dangling.qwd", "hard.qwd", "link.qwd", "link2.qwd", "owned.qwd", "real"}),
              ListFolder(dir.Path()));
    EXPECT_EQ((std::vector<std::string>{"later.qwd", "target.qwd"}), ListFolder(dir.File("real")));
}

TEST(SaveFile, NamesUpToTheLongestTheFolderAllows)
{
    TempDir dir;
    const std::string longest = std::string(251, 'n') + ".qwd";  // 255 bytes
    const std::string shorter = std::string(245, 's') + ".qwd";  // 249 bytes
    for (const std::string& name : {longest, shorter}) {
        EXPECT_TRUE(Titled("first").WriteFile(dir.File(name)));   // new
        EXPECT_TRUE(Titled("second").WriteFile(dir.File(name)));  // replaced
        EXPECT_EQ(Titled("second").Format(), ReadAll(dir.File(name)));
    }
    EXPECT_FALSE(Titled("x").WriteFile(dir.File(longest + "x")));
    EXPECT_EQ((std::vector<std::string>{longest, shorter}), ListFolder(dir.Path()));
}

TEST(SaveFile, AFailureAtAnyPointLeavesThePreviousContent)
{
    TempDir dir;
    const std::string big = std::string(5000, 'b');

    // Written in place (a second name keeps it from being replaced): the old bytes return.
    const std::string shared = dir.File("shared.qwd");
    WriteAll(shared, kPrevious);
    ASSERT_EQ(0, ::link(shared.c_str(), dir.File("other-name.qwd").c_str()));
    EXPECT_FALSE(WithFileSizeLimit(100, [&] { return Titled(big).WriteFile(shared); }));
    EXPECT_EQ(kPrevious, ReadAll(shared));
    EXPECT_EQ(static_cast<off_t>(kPrevious.size()), LinkStat(shared).st_size);

    // Replaced by a complete copy: the copy goes, the file stays.
    const std::string single = dir.File("single.qwd");
    WriteAll(single, kPrevious);
    EXPECT_FALSE(WithFileSizeLimit(100, [&] { return Titled(big).WriteFile(single); }));
    EXPECT_EQ(kPrevious, ReadAll(single));

    // A new file that cannot be completed is not left behind.
    EXPECT_FALSE(WithFileSizeLimit(100, [&] { return Titled(big).WriteFile(dir.File("new.qwd")); }));

    EXPECT_EQ((std::vector<std::string>{"other-name.qwd", "shared.qwd", "single.qwd"}), ListFolder(dir.Path()));
}

// Contents of many write blocks, with one piece larger than a block: every byte arrives
// whichever way the file is saved, a shorter content after a longer one leaves no tail, and
// a failure after several blocks are on disk still leaves the previous content.
TEST(SaveFile, LargeContentsArriveWholeOrNotAtAll)
{
    TempDir dir;
    CWidgetConfig large = Titled("large");
    for (int i = 0; i < 20000; ++i)
        large.SetParameter("P" + std::to_string(i), std::string(40 + i % 50, static_cast<char>('a' + i % 26)));
    large.AddSegment("cursor", std::string(3 * ContentSink::kBlock + 17, 'h') + "\r\n");
    const std::string expected = large.Format();
    ASSERT_GT(expected.size(), 6 * ContentSink::kBlock);

    const std::string single = dir.File("single.qwd");
    EXPECT_TRUE(large.WriteFile(single));  // new
    EXPECT_EQ(expected, ReadAll(single));
    EXPECT_TRUE(Titled("small").WriteFile(single));
    EXPECT_TRUE(large.WriteFile(single));  // replaced by a complete copy
    EXPECT_EQ(expected, ReadAll(single));

    const std::string shared = dir.File("shared.qwd");
    WriteAll(shared, kPrevious);
    ASSERT_EQ(0, ::link(shared.c_str(), dir.File("other-name.qwd").c_str()));
    EXPECT_TRUE(large.WriteFile(shared));  // in place
    EXPECT_EQ(expected, ReadAll(shared));
    EXPECT_TRUE(Titled("small").WriteFile(shared));
    EXPECT_EQ(Titled("small").Format(), ReadAll(shared));

    const std::uint64_t limit = 2 * ContentSink::kBlock + 100;
    EXPECT_FALSE(WithFileSizeLimit(limit, [&] { return large.WriteFile(shared); }));
    EXPECT_EQ(Titled("small").Format(), ReadAll(shared));
    EXPECT_FALSE(WithFileSizeLimit(limit, [&] { return large.WriteFile(single); }));
    EXPECT_EQ(expected, ReadAll(single));
    EXPECT_FALSE(WithFileSizeLimit(limit, [&] { return large.WriteFile(dir.File("new.qwd")); }));

    EXPECT_EQ((std::vector<std::string>{"other-name.qwd", "shared.qwd", "single.qwd"}), ListFolder(dir.Path()));
}

TEST(WidgetFile, OnlyRegularFilesAreReadOrWritten)
{
    BlockingGuard guard;
    TempDir dir;
    CWidgetConfig c = Titled("kept");
    const auto description = c.m_mapDescription;

    // A device that never ends, a pipe without a writer, a folder.
    EXPECT_FALSE(c.ReadFile("/dev/zero"));
    const std::string pipe = dir.File("pipe.qwd");
    ASSERT_EQ(0, ::mkfifo(pipe.c_str(), 0644));
    EXPECT_FALSE(c.ReadFile(pipe));
    EXPECT_FALSE(c.ReadFile(dir.Path()));
    EXPECT_EQ(description, c.m_mapDescription);
    CAppletParameters params;
    EXPECT_FALSE(ReadConfigFile(c, params, "/dev/zero"));

    // Saving to them is refused as well, without waiting for a reader and without sending
    // anything down the pipe once there is one.
    EXPECT_FALSE(c.WriteFile(pipe));
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_FALSE(c.WriteFile(pipe));
    char byte;
    EXPECT_GE(0, ::read(reader, &byte, 1));
    ::close(reader);
    EXPECT_FALSE(c.WriteFile("/dev/null"));
    ASSERT_EQ(0, ::symlink("/dev/full", dir.File("full.qwd").c_str()));
    EXPECT_FALSE(c.WriteFile(dir.File("full.qwd")));
    EXPECT_TRUE(S_ISLNK(LinkStat(dir.File("full.qwd")).st_mode));
    EXPECT_TRUE(S_ISFIFO(LinkStat(pipe).st_mode));
    EXPECT_EQ((std::vector<std::string>{"full.qwd", "pipe.qwd"}), ListFolder(dir.Path()));
}
