// The widget file: its exact form, the reader's quirks, safe saving, and the record's
// accessors.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "model_support.h"
#include "widget/model/widget_config.h"

using namespace snippo;
using namespace snippo::test;
namespace fs = std::filesystem;

namespace {

const std::string kDescBegin = "========== Description Part Begin ==========\r\n";
const std::string kDescEnd = "========== Description Part End ==========\r\n\r\n";
const std::string kParamBegin = "========== Parameter Part Begin ==========\r\n";
const std::string kParamEnd = "========== Parameter Part End ==========\r\n\r\n";
const std::string kResBegin = "========== Resource Part Begin ==========\r\n";
const std::string kResEnd = "========== Resource Part End ==========\r\n\r\n";
const std::string kHtmlBegin = "========== HTML Part Begin ==========\r\n";
const std::string kSegEnd = "===== Segment End =====\r\n";
const std::string kHtmlEnd = "========== HTML Part End ==========\r\n\r\n";

CWidgetConfig SampleConfig()
{
    CWidgetConfig c;
    c.SetProgID("SnippoServer.GlimButton");
    c.SetTitle("T");
    c.SetParameter("A", "1");
    c.AddResource("qlnbtn.class", "/srv/", "http://c/");
    c.AddResource("a.gif", "/w", "web/");
    c.AddSegment("cursor", "<p>x</p>\r\n");
    return c;
}

const std::string kSampleText =
    kDescBegin + "ProgID = SnippoServer.GlimButton\r\nTitle = T\r\n" + kDescEnd + kParamBegin + "A = 1\r\n" +
    kParamEnd + kResBegin + "Resource Number = 2\r\nqlnbtn.class=/srv/=http://c/\r\na.gif=/w=web/\r\n" + kResEnd +
    kHtmlBegin + "Segment Number = 1\r\nSegment Position = cursor\r\n<p>x</p>\r\n" + kSegEnd + kHtmlEnd;

}  // namespace

TEST(WidgetFile, ExactFormWithMarkers)
{
    EXPECT_EQ(kSampleText, SampleConfig().Format());
    TempDir dir;
    ASSERT_TRUE(SampleConfig().WriteFile(dir.File("w.qwd")));
    EXPECT_EQ(kSampleText, ReadAll(dir.File("w.qwd")));
    EXPECT_EQ((std::vector<std::string>{"w.qwd"}), ListFolder(dir.Path()));  // no temporary left

    CWidgetConfig empty;
    EXPECT_EQ(kDescBegin + kDescEnd + kParamBegin + kParamEnd + kResBegin + "Resource Number = 0\r\n" + kResEnd +
                  kHtmlBegin + "Segment Number = 0\r\n" + kHtmlEnd,
              empty.Format());
}

TEST(WidgetFile, ReadBackEqualsWhatWasWritten)
{
    CWidgetConfig back;
    back.Parse(kSampleText);
    const CWidgetConfig sample = SampleConfig();
    EXPECT_EQ(sample.m_mapDescription, back.m_mapDescription);
    EXPECT_EQ(sample.m_mapParameters, back.m_mapParameters);
    EXPECT_EQ(sample.m_arrResources, back.m_arrResources);
    EXPECT_EQ(sample.m_arrSegments, back.m_arrSegments);

    // Random records within what the format carries.
    ModelGenerator gen(7);
    auto token = [&gen](std::size_t n) {
        std::string t = gen.Text(n);
        std::erase(t, '=');
        return t.empty() ? std::string("k") : t;
    };
    for (int round = 0; round < 200; ++round) {
        CWidgetConfig c;
        for (int i = static_cast<int>(gen.Below(6)); i > 0; --i)
            c.m_mapDescription[token(10)] = token(30) + " = " + token(5);
        for (int i = static_cast<int>(gen.Below(30)); i > 0; --i)
            c.m_mapParameters[token(10)] = gen.Text(60);
        for (int i = static_cast<int>(gen.Below(8)); i > 0; --i)
            c.AddResource(token(12), gen.Text(20), token(20));
        for (int i = static_cast<int>(gen.Below(3)); i > 0; --i) {
            std::string body;
            for (int l = static_cast<int>(gen.Below(5)); l > 0; --l)
                body += gen.Text(40) + "\r\n";
            c.AddSegment(token(8), body);
        }
        CWidgetConfig r;
        r.Parse(c.Format());
        ASSERT_EQ(c.m_mapDescription, r.m_mapDescription) << round;
        ASSERT_EQ(c.m_mapParameters, r.m_mapParameters) << round;
        ASSERT_EQ(c.m_arrResources, r.m_arrResources) << round;
        ASSERT_EQ(c.m_arrSegments, r.m_arrSegments) << round;
    }
}

TEST(WidgetFile, ReaderQuirks)
{
    const std::string text = "junk before\n"
                             "========== description part begin ==========\n"
                             "Title =    spaced value  \n"
                             "no equals sign here\n"
                             "  Other Key\t= x\n"
                             "========== DESCRIPTION PART END ==========\n"
                             "========== Parameter Part Begin ==========\r\n"
                             "Key = a = b\r\n"
                             "key = lower case is another key\r\n"
                             "========== Parameter Part End ==========\r\n"
                             "========== Resource Part Begin ==========\r\n"
                             "ignored = before the count\r\n"
                             "  resource NUMBER   = 65537\r\n"
                             "no separator: skipped and not counted\r\n"
                             " a.gif = pics=x = y \r\n"
                             "b.gif=not=an=entry\r\n"
                             "========== Resource Part End ==========\r\n"
                             "========== Html Part Begin ==========\r\n"
                             "segment number = 2\r\n"
                             "stray line\r\n"
                             "SEGMENT POSITION =  cursor \r\n"
                             "  line one  \r\n"
                             "line two\n"
                             "===== segment end =====\r\n"
                             "Segment Position=head\r\n"
                             "===== Segment End =====\r\n"
                             "not read at all = 1\r\n";
    CWidgetConfig c;
    c.m_mapDescription["Kept"] = "from before";
    c.Parse(text);
    EXPECT_EQ(
        (std::map<std::string, std::string>{{"Kept", "from before"}, {"Title", "spaced value"}, {"Other Key", "x"}}),
        c.m_mapDescription);
    EXPECT_EQ((std::map<std::string, std::string>{{"Key", "a = b"}, {"key", "lower case is another key"}}),
              c.m_mapParameters);
    ASSERT_EQ(1u, c.m_arrResources.size());  // 65537 modulo 65536
    EXPECT_EQ((ResourceEntry{"a.gif", "pics=x", "y"}), c.m_arrResources[0]);
    ASSERT_EQ(2u, c.m_arrSegments.size());
    EXPECT_EQ((HtmlSegment{"cursor", "  line one  \r\nline two\r\n"}), c.m_arrSegments[0]);
    EXPECT_EQ((HtmlSegment{"head", ""}), c.m_arrSegments[1]);

    // Parts are read in order: the resource part alone is not found.
    CWidgetConfig alone;
    alone.Parse(kResBegin + "Resource Number = 1\r\na=b=c\r\n" + kResEnd);
    EXPECT_TRUE(alone.m_arrResources.empty());

    CWidgetConfig one;
    one.Parse(kDescBegin + kDescEnd + kParamBegin + kParamEnd + kResBegin +
              "Resource Number = 2\r\nname = /only/local \r\nsecond=x=\r\n" + kResEnd);
    ASSERT_EQ(2u, one.m_arrResources.size());
    EXPECT_EQ((ResourceEntry{"name", "/only/local", ""}), one.m_arrResources[0]);
    EXPECT_EQ((ResourceEntry{"second", "x", ""}), one.m_arrResources[1]);
}

TEST(WidgetFile, ResourceEntriesStopAtTheEndMarker)
{
    const std::string maps = kDescBegin + kDescEnd + kParamBegin + kParamEnd;
    CWidgetConfig c;
    c.Parse(maps + kResBegin + "Resource Number = 3\r\na.gif=/p=w/\r\n" + kResEnd + kHtmlBegin +
            "Segment Number = 1\r\nSegment Position = cursor\r\nx=y\r\n" + kSegEnd + kHtmlEnd);
    ASSERT_EQ(3u, c.m_arrResources.size());
    EXPECT_EQ((ResourceEntry{"a.gif", "/p", "w/"}), c.m_arrResources[0]);
    EXPECT_EQ(ResourceEntry{}, c.m_arrResources[1]);  // never taken from the HTML part
    EXPECT_EQ(ResourceEntry{}, c.m_arrResources[2]);
    ASSERT_EQ(1u, c.m_arrSegments.size());
    EXPECT_EQ("x=y\r\n", c.m_arrSegments[0].strBody);

    // Surplus entries of an earlier read are removed; lines after the last entry are skipped.
    c.Parse(maps + kResBegin + "Resource Number = 1\r\nb.gif=/q=\r\nextra=1=2\r\n" + kResEnd);
    ASSERT_EQ(1u, c.m_arrResources.size());
    EXPECT_EQ((ResourceEntry{"b.gif", "/q", ""}), c.m_arrResources[0]);
}

TEST(WidgetFile, MissingPartsAndUnterminatedSegments)
{
    CWidgetConfig c = SampleConfig();
    c.Parse("nothing that looks like a widget file\r\nTitle = x\r\n");
    EXPECT_EQ(SampleConfig().m_mapDescription, c.m_mapDescription);
    EXPECT_EQ(SampleConfig().m_arrResources, c.m_arrResources);

    // Only a description: the other parts stay as they were.
    c.Parse(kDescBegin + "Title = New\r\n" + kDescEnd);
    EXPECT_EQ("New", c.GetTitle());
    EXPECT_EQ(SampleConfig().m_mapParameters, c.m_mapParameters);
    EXPECT_EQ(SampleConfig().m_arrSegments, c.m_arrSegments);

    // A body without its final line break hides the end marker: the rest is body.
    CWidgetConfig s;
    s.AddSegment("cursor", "abc");
    CWidgetConfig r;
    r.Parse(s.Format());
    ASSERT_EQ(1u, r.m_arrSegments.size());
    EXPECT_EQ("abc===== Segment End =====\r\n========== HTML Part End ==========\r\n\r\n", r.m_arrSegments[0].strBody);
}

TEST(WidgetFile, ReadFileFailsOnlyWhenTheFileCannotBeRead)
{
    TempDir dir;
    CWidgetConfig c = SampleConfig();
    EXPECT_FALSE(c.ReadFile(dir.File("absent.qwd")));
    EXPECT_FALSE(c.ReadFile(dir.Path()));  // a folder is not a widget file
    EXPECT_EQ(SampleConfig().m_mapDescription, c.m_mapDescription);

    WriteAll(dir.File("empty.qwd"), "");
    EXPECT_TRUE(c.ReadFile(dir.File("empty.qwd")));
    EXPECT_EQ(SampleConfig().m_arrResources, c.m_arrResources);

    WriteAll(dir.File("w.qwd"), kSampleText);
    CWidgetConfig fresh;
    EXPECT_TRUE(fresh.ReadFile(dir.File("w.qwd")));
    EXPECT_EQ(SampleConfig().m_arrResources, fresh.m_arrResources);
}

// The file is read in pieces: lines that straddle two pieces, a CR LF cut between them and
// a line longer than a piece must read exactly as the same text parsed in memory.
TEST(WidgetFile, FileReadInPiecesEqualsTheTextParsedWhole)
{
    std::string params;
    std::size_t keys = 0;
    for (int i = 0; params.size() < 300000; ++i, ++keys)
        params +=
            "K" + std::to_string(100000 + i) + " = " + std::string(static_cast<std::size_t>(i % 97), 'v') + "\r\n";
    const std::string longLine(200000, 'x');
    std::string body;
    for (int i = 0; i < 3000; ++i)
        body += std::string(static_cast<std::size_t>(i % 61), 'b') + (i % 2 ? "\r\n" : "\n");
    body += longLine + "\r\n";
    const std::string text = kDescBegin + "Title = T\r\n" + kDescEnd + kParamBegin + params + kParamEnd + kResBegin +
                             "Resource Number = 1\r\na.gif=/w=web/\r\n" + kResEnd + kHtmlBegin +
                             "Segment Number = 2\r\nSegment Position = cursor\r\n" + body + kSegEnd +
                             "Segment Position = script\r\n<s>\r\n" + kSegEnd + kHtmlEnd;
    TempDir dir;
    for (std::size_t shift : {0, 1, 7}) {  // moves every line end against the pieces
        const std::string shifted = std::string(shift, '\n') + text;
        WriteAll(dir.File("big.qwd"), shifted);
        CWidgetConfig read, parsed;
        ASSERT_TRUE(read.ReadFile(dir.File("big.qwd")));
        parsed.Parse(shifted);
        EXPECT_EQ(parsed.m_mapParameters, read.m_mapParameters) << shift;
        EXPECT_EQ(parsed.m_arrSegments, read.m_arrSegments) << shift;
        EXPECT_EQ(parsed.m_arrResources, read.m_arrResources) << shift;
        EXPECT_EQ(keys, read.m_mapParameters.size());
        ASSERT_EQ(2u, read.m_arrSegments.size());
        EXPECT_TRUE(read.m_arrSegments[0].strBody.ends_with(longLine + "\r\n"));
    }
}

TEST(WidgetFile, FailedSaveLeavesThePreviousFileIntact)
{
    TempDir dir;
    const std::string target = dir.File("w.qwd");
    const std::string previous = "previous contents\r\n";
    WriteAll(target, previous);
    ::chmod(target.c_str(), 0640);

    // The target names a folder: nothing can replace it.
    fs::create_directory(dir.File("folder.qwd"));
    EXPECT_FALSE(SampleConfig().WriteFile(dir.File("folder.qwd")));
    EXPECT_TRUE(fs::is_directory(dir.File("folder.qwd")));
    // A folder that does not exist.
    EXPECT_FALSE(SampleConfig().WriteFile(dir.File("no/such/folder/w.qwd")));

    // A short write, as on a full disk: files may not grow beyond a few bytes for a moment.
    EXPECT_FALSE(WithFileSizeLimit(8, [&] { return SampleConfig().WriteFile(target); }));
    EXPECT_EQ(previous, ReadAll(target));
    EXPECT_EQ((std::vector<std::string>{"folder.qwd", "w.qwd"}), ListFolder(dir.Path()));

    // A successful save replaces the file and keeps its permissions.
    ASSERT_TRUE(SampleConfig().WriteFile(target));
    EXPECT_EQ(kSampleText, ReadAll(target));
    struct stat st {};
    ASSERT_EQ(0, ::stat(target.c_str(), &st));
    EXPECT_EQ(0640u, st.st_mode & 07777);
    EXPECT_EQ((std::vector<std::string>{"folder.qwd", "w.qwd"}), ListFolder(dir.Path()));
}

TEST(WidgetFile, DescriptionGettersCreateEntries)
{
    CWidgetConfig c;
    EXPECT_EQ("", c.GetTitle());
    EXPECT_EQ("", c.GetBitmapFileName());
    EXPECT_EQ((std::map<std::string, std::string>{{"BitmapFileName", ""}, {"Title", ""}}), c.m_mapDescription);
    EXPECT_NE(std::string::npos, c.Format().find("\r\nBitmapFileName = \r\nTitle = \r\n"));

    EXPECT_EQ(1, c.SetDescription("About"));
    EXPECT_EQ(1, c.SetPreviewPath("/p/"));
    EXPECT_EQ(1, c.SetProgID("Other.Server"));
    EXPECT_EQ("About", c.GetDescription());
    EXPECT_EQ("/p/", c.GetPreviewPath());
    EXPECT_EQ("Other.Server", c.GetProgID());

    EXPECT_EQ(0.0, c.GetLastUpdateTime());  // created empty: reads as 0
    EXPECT_EQ("", c.m_mapDescription.at("LastUpdateTime"));
    EXPECT_EQ(1, c.SetLastUpdateTime(36526.5));
    EXPECT_EQ("36526.500000000", c.m_mapDescription.at("LastUpdateTime"));
    EXPECT_EQ(36526.5, c.GetLastUpdateTime());
    c.SetLastUpdateTime(45000.123456789);
    EXPECT_EQ("45000.123456789", c.m_mapDescription.at("LastUpdateTime"));
    EXPECT_NEAR(45000.123456789, c.GetLastUpdateTime(), 1e-9);
}

TEST(WidgetFile, ParameterAndResourceAccessors)
{
    CWidgetConfig c;
    EXPECT_EQ("dflt", c.GetParameter("Missing", "dflt"));
    EXPECT_TRUE(c.m_mapParameters.empty());  // asking creates nothing
    EXPECT_EQ(1, c.SetParameter("K", "v"));
    EXPECT_EQ("v", c.GetParameter("K", "dflt"));
    EXPECT_EQ("dflt", c.GetParameter("k", "dflt"));  // keys are case-sensitive
    c.ClearParameters();
    EXPECT_TRUE(c.m_mapParameters.empty());

    EXPECT_EQ(1, c.AddResource("a.gif", "/one", "w1/"));
    EXPECT_EQ(1, c.AddResource("b.gif", "/two", "w2/"));
    EXPECT_EQ(1, c.AddResource("a.gif", "/three", "w3/"));
    EXPECT_EQ(3, c.GetResourceCount());
    EXPECT_EQ("b.gif", c.GetResourceName(1));
    EXPECT_EQ("/three", c.GetResourceLocalPath(2));
    EXPECT_EQ("w1/", c.GetResourceWebPath(0));
    EXPECT_EQ("", c.GetResourceName(-1));
    EXPECT_EQ("", c.GetResourceLocalPath(3));
    EXPECT_EQ("", c.GetResourceWebPath(32767));
    EXPECT_EQ("/one", c.GetResourceLocalPathByName("a.gif"));  // the first of that name
    EXPECT_EQ("w2/", c.GetResourceWebPathByName("b.gif"));
    EXPECT_EQ("", c.GetResourceLocalPathByName("A.GIF"));
    EXPECT_EQ(1, c.SetAllResourceLocalPaths("/all/"));
    for (std::int16_t i = 0; i < 3; ++i) {
        EXPECT_EQ("/all/", c.GetResourceLocalPath(i));
    }
    c.ClearResources();
    EXPECT_EQ(0, c.GetResourceCount());

    c.AddSegment("cursor", "x");
    c.AddSegment("style", "y");
    EXPECT_EQ((std::vector<HtmlSegment>{{"cursor", "x"}, {"style", "y"}}), c.m_arrSegments);
    c.ClearSegments();
    EXPECT_TRUE(c.m_arrSegments.empty());
}
