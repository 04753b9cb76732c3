// ShellExecute "open" with real processes: small scripts stand in for programs and for the
// desktop's opener, each writing what it was given into a file.
#include "platform/shell/shell.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace snippo;
namespace fs = std::filesystem;

namespace {

class Shell : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "snippo-shell-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        bin = dir / "bin";
        fs::create_directories(bin);
        oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
        setenv("PATH", bin.c_str(), 1);
        oldCwd = fs::current_path();
    }
    void TearDown() override
    {
        setenv("PATH", oldPath.c_str(), 1);
        fs::current_path(oldCwd);
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    // A program that writes its working directory and then each argument on a line of `out`.
    fs::path recorder(const fs::path& path, const fs::path& out)
    {
        std::ofstream(path) << "#!/bin/sh\nprintf '%s\\n' \"$PWD\" \"$@\" > '" << out.string() << ".part'\n/bin/mv '"
                            << out.string() << ".part' '" << out.string() << "'\n";
        ::chmod(path.c_str(), 0755);
        return path;
    }

    // Waits for the started process to leave its record.
    std::vector<std::string> lines(const fs::path& out)
    {
        for (int i = 0; i < 500 && !fs::exists(out); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream in(out);
        std::vector<std::string> result;
        std::string line;
        while (std::getline(in, line))
            result.push_back(line);
        return result;
    }

    fs::path dir, bin, oldCwd;
    std::string oldPath;
};

}  // namespace

TEST(ShellParameters, SplitAtBlanksWithQuotedStretches)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(ShellSplitParameters(""), V{});
    EXPECT_EQ(ShellSplitParameters("   "), V{});
    EXPECT_EQ(ShellSplitParameters("/srv/my pages/preview.htm"), (V{"/srv/my", "pages/preview.htm"}));
    EXPECT_EQ(ShellSplitParameters("  a   b "), (V{"a", "b"}));
    EXPECT_EQ(ShellSplitParameters("\"/srv/my pages/x.htm\" -new"), (V{"/srv/my pages/x.htm", "-new"}));
    EXPECT_EQ(ShellSplitParameters("\"\""), (V{""}));
}

TEST_F(Shell, ProgramGetsTheParameterWordsInTheGivenFolder)
{
    fs::path out = dir / "args.txt";
    fs::path program = recorder(bin / "browse", out);
    fs::create_directories(dir / "work");
    EXPECT_GT(
        ShellExecute("open", program.string(), "/srv/my pages/preview.htm -x", (dir / "work").string(), SW_SHOWNORMAL),
        32);
    EXPECT_EQ(lines(out), (std::vector<std::string>{(dir / "work").string(), "/srv/my", "pages/preview.htm", "-x"}));
}

TEST_F(Shell, BareProgramNameIsFoundOnPathAndStartsInTheCurrentFolder)
{
    fs::path out = dir / "args.txt";
    recorder(bin / "viewer", out);
    fs::current_path(dir);
    EXPECT_EQ(ShellExecute("", "viewer", "page.htm", "", SW_SHOWNORMAL), SHELL_SUCCESS);
    EXPECT_EQ(lines(out), (std::vector<std::string>{dir.string(), "page.htm"}));
}

TEST_F(Shell, DocumentsAndAddressesGoToTheDesktopOpener)
{
    fs::path out = dir / "opened.txt";
    recorder(bin / "xdg-open", out);
    fs::path page = dir / "my page.htm";
    std::ofstream(page) << "<HTML></HTML>";
    fs::current_path(dir);
    EXPECT_GT(ShellExecute("OPEN", "my page.htm", "ignored words", "", SW_SHOWNORMAL), 32);
    EXPECT_EQ(lines(out), (std::vector<std::string>{dir.string(), page.string()}));

    fs::remove(out);
    EXPECT_GT(ShellExecute("open", "https://quillon.example/a b", "", "", SW_SHOWNORMAL), 32);
    EXPECT_EQ(lines(out), (std::vector<std::string>{dir.string(), "https://quillon.example/a b"}));
}

TEST_F(Shell, FailuresAreReportedByNumber)
{
    fs::path page = dir / "page.htm";
    std::ofstream(page) << "x";
    EXPECT_EQ(ShellExecute("open", page.string(), "", "", SW_SHOWNORMAL), SE_ERR_NOASSOC) << "no opener on PATH";
    EXPECT_EQ(ShellExecute("print", page.string(), "", "", SW_SHOWNORMAL), SE_ERR_NOASSOC);
    EXPECT_EQ(ShellExecute("open", "", "", "", SW_SHOWNORMAL), SE_ERR_FNF);
    EXPECT_EQ(ShellExecute("open", (dir / "absent").string(), "", "", SW_SHOWNORMAL), SE_ERR_FNF);
    EXPECT_EQ(ShellExecute("open", "no-such-program", "x", "", SW_SHOWNORMAL), SE_ERR_FNF);
    EXPECT_EQ(ShellExecute("open", page.string(), "", (dir / "absent").string(), SW_SHOWNORMAL), SE_ERR_PNF);

    // Found and executable, yet it cannot be started: its interpreter is missing.
    fs::path broken = bin / "broken";
    std::ofstream(broken) << "#!/no/such/interpreter\n";
    ::chmod(broken.c_str(), 0755);
    EXPECT_EQ(ShellExecute("open", broken.string(), "", "", SW_SHOWNORMAL), SE_ERR_FNF);
}

TEST_F(Shell, FindExecutableLooksOnPathForBareNamesOnly)
{
    fs::path tool = bin / "tool";
    std::ofstream(tool) << "#!/bin/sh\n";
    ::chmod(tool.c_str(), 0755);
    std::ofstream(bin / "plain") << "not executable";
    EXPECT_EQ(ShellFindExecutable("tool"), tool.string());
    EXPECT_EQ(ShellFindExecutable("plain"), "");
    EXPECT_EQ(ShellFindExecutable("missing"), "");
    EXPECT_EQ(ShellFindExecutable(tool.string()), tool.string());
    EXPECT_EQ(ShellFindExecutable((bin / "plain").string()), "");
}

TEST_F(Shell, BrowsersOnPathInFixedOrderEachOnce)
{
    EXPECT_TRUE(ShellFindBrowsers().empty());
    for (const char* name : {"google-chrome", "firefox"}) {
        std::ofstream(bin / name) << "#!/bin/sh\n";
        ::chmod((bin / name).c_str(), 0755);
    }
    fs::create_symlink(bin / "firefox", bin / "firefox-esr");  // the same program under two names
    std::vector<ShellProgram> found = ShellFindBrowsers();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].strName, "Firefox");
    EXPECT_EQ(found[0].strPath, (bin / "firefox").string());
    EXPECT_EQ(found[1].strName, "Google Chrome");
}
