// The widget file inside a Qt program whose user works in German: Qt switches the C library
// to the user's locale, where the decimal point is ",". The file's numbers must not follow.
#include <QApplication>

#include <clocale>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "server_fixture.h"

using namespace snippo;
using namespace snippo::test;

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool CommaIsTheDecimalPoint()
{
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 0.5);
    return std::string(text) == "0,5";
}

class GermanLocaleTest : public ServerTest {};

TEST_F(GermanLocaleTest, NumbersKeepTheirPointAndDigits)
{
    if (!CommaIsTheDecimalPoint())
        GTEST_SKIP() << "the locale de_DE.UTF-8 is not installed (Debian package locales-all)";
    Register();
    ComPtr<IDispatch> widget = Create();
    ASSERT_TRUE(widget);
    // LastUpdateTime (6) as the host stores it, then WriteConfigFile (8).
    ASSERT_EQ(AutomationInvoke(widget.Get(), 6, DISPATCH_PROPERTYPUT, {Variant(OleDate{45000.5})}), S_OK);
    const std::string path = m_dir + "/de.qwd";
    EXPECT_TRUE(CallBool(widget.Get(), 8, {Variant(path)}));
    const std::string file = ReadAll(path);
    EXPECT_NE(file.find("LastUpdateTime = 45000.500000000\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("ApStyle = GlimButton,0,105,215,15509160,14841465,,0,0,0,,1,6,10,15509160,,,,1,"),
              std::string::npos)
        << file;

    // A file written elsewhere reads with its fraction.
    std::string other = file;
    other.replace(other.find("45000.500000000"), 15, "45123.250000000");
    {
        std::ofstream out(m_dir + "/other.qwd", std::ios::binary);
        out << other;
    }
    ComPtr<IDispatch> reader = Create();
    EXPECT_TRUE(CallBool(reader.Get(), 7, {Variant(m_dir + "/other.qwd")}));
    Variant time;
    ASSERT_EQ(AutomationInvoke(reader.Get(), 6, DISPATCH_PROPERTYGET, {}, &time), S_OK);
    double value = 0;
    ASSERT_TRUE(SUCCEEDED(time.ToR8(&value)));
    EXPECT_EQ(45123.25, value);
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("LC_ALL", "de_DE.UTF-8");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);  // sets the C locale from the environment
    return RUN_ALL_TESTS();
}
