// The widget object through IDispatch::Invoke, as any automation client sees it.
#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "server_fixture.h"

namespace snippo::test {
namespace {

class GlimButtonTest : public ServerTest {
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        Register();
        m_object = Create();
        ASSERT_TRUE(m_object);
    }
    void TearDown() override
    {
        m_object.Reset();
        ServerTest::TearDown();
    }
    IDispatch* o() { return m_object.Get(); }

    std::string ReadAll(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    ComPtr<IDispatch> m_object;
};

TEST_F(GlimButtonTest, FreshObjectBuildsItsListAndHtmlFromTheDefaults)
{
    EXPECT_EQ(CallInt(o(), 21, {}, VT_I2), 1);
    EXPECT_EQ(CallText(o(), 22, {Variant(std::int16_t(0))}), "qlnbtn.class");
    const std::string folder = std::filesystem::path(SNIPPO_SERVER_LIBRARY).parent_path().string() + "/";
    EXPECT_EQ(CallText(o(), 23, {Variant(std::int16_t(0))}), folder);
    EXPECT_EQ(CallText(o(), 24, {Variant(std::int16_t(0))}), "");

    const std::string html = CallText(o(), 19, {Variant(std::int16_t(0)), Variant(std::int16_t(1))});
    EXPECT_EQ(html.rfind("<p align=\"Center\">\r\n<applet  code=\"qlnbtn.class\" align=\"baseline\" width=\"105\" "
                         "height=\"215\">\r\n",
                         0),
              0u)
        << html;
    EXPECT_NE(html.find("\t<param name=\"Misc\" value=\"0,\">\r\n</applet>\r\n</p>\r\n"), std::string::npos);
    EXPECT_EQ(CallText(o(), 1), "");  // the record is empty until a file is read or written
}

TEST_F(GlimButtonTest, FixedAnswers)
{
    EXPECT_EQ(CallInt(o(), 17, {}, VT_I2), 1);
    for (std::int16_t i : {0, 1, 99})
        EXPECT_EQ(CallText(o(), 18, {Variant(i)}), "cursor");
    EXPECT_EQ(CallInt(o(), 10), 1);
    EXPECT_EQ(CallInt(o(), 11), 2);
    EXPECT_EQ(CallInt(o(), 12), 3);
    EXPECT_EQ(CallInt(o(), 13), 4);
    EXPECT_EQ(CallInt(o(), 14), 5);
    EXPECT_EQ(CallInt(o(), 15, {Variant(std::int16_t(7))}), 4000);
    EXPECT_TRUE(CallBool(o(), 27, {Variant("/x")}));
    EXPECT_TRUE(CallBool(o(), 9));

    // The string resources the identifiers name, through the module number.
    const std::int32_t module = CallInt(o(), 20);
    EXPECT_NE(module, 0);
    std::string text;
    EXPECT_TRUE(snippo::LoadStringResource(static_cast<std::uint32_t>(module), 1, &text));
    EXPECT_EQ(text, "Java Applet");
    EXPECT_TRUE(snippo::LoadStringResource(static_cast<std::uint32_t>(module), 2, &text));
    EXPECT_EQ(text, "Tessaly GlimButton 1.0");
    EXPECT_TRUE(snippo::LoadStringResource(static_cast<std::uint32_t>(module), 4, &text));
    EXPECT_EQ(text, "Generate glim effect Java Applet buttons");
    EXPECT_TRUE(snippo::LoadStringResource(static_cast<std::uint32_t>(module), 5, &text));
    EXPECT_EQ(text, "Glim Button");
}

TEST_F(GlimButtonTest, ResourceLookupsByIndexAndName)
{
    EXPECT_EQ(CallText(o(), 22, {Variant(std::int16_t(-1))}), "");
    EXPECT_EQ(CallText(o(), 22, {Variant(std::int16_t(1))}), "");  // == count
    EXPECT_EQ(CallText(o(), 25, {Variant("QLNBTN.CLASS")}), "");
    EXPECT_NE(CallText(o(), 25, {Variant("qlnbtn.class")}), "");
    EXPECT_EQ(CallText(o(), 26, {Variant("nothing")}), "");

    EXPECT_TRUE(CallBool(o(), 27, {Variant("/elsewhere/")}));
    EXPECT_EQ(CallText(o(), 23, {Variant(std::int16_t(0))}), "/elsewhere/");
    EXPECT_EQ(CallText(o(), 25, {Variant("qlnbtn.class")}), "/elsewhere/");
    // The next HTML rebuilds the list from the model.
    CallText(o(), 19, {Variant(std::int16_t(0)), Variant(std::int16_t(0))});
    EXPECT_NE(CallText(o(), 23, {Variant(std::int16_t(0))}), "/elsewhere/");
}

TEST_F(GlimButtonTest, PropertiesStoreIntoTheRecord)
{
    ASSERT_EQ(AutomationInvoke(o(), 2, DISPATCH_PROPERTYPUT, {Variant("My title")}), S_OK);
    Variant title;
    ASSERT_EQ(AutomationInvoke(o(), 2, DISPATCH_PROPERTYGET, {}, &title), S_OK);
    std::string text;
    title.ToUtf8(&text);
    EXPECT_EQ(text, "My title");

    ASSERT_EQ(AutomationInvoke(o(), 6, DISPATCH_PROPERTYPUT, {Variant(OleDate{45000.25})}), S_OK);
    Variant date;
    ASSERT_EQ(AutomationInvoke(o(), 6, DISPATCH_PROPERTYGET, {}, &date), S_OK);
    EXPECT_EQ(date.vt(), VT_DATE);
    EXPECT_DOUBLE_EQ(date.Get()->date, 45000.25);
}

TEST_F(GlimButtonTest, WriteForcesTheProgIdAndReadRestoresTheModel)
{
    ASSERT_EQ(AutomationInvoke(o(), 1, DISPATCH_PROPERTYPUT, {Variant("Other.Widget")}), S_OK);
    ASSERT_EQ(AutomationInvoke(o(), 5, DISPATCH_PROPERTYPUT, {Variant("/preview/")}), S_OK);
    const std::string path = m_dir + "/w.qwd";
    EXPECT_TRUE(CallBool(o(), 8, {Variant(path)}));
    const std::string file = ReadAll(path);
    EXPECT_NE(file.find("ProgID = SnippoServer.GlimButton\r\n"), std::string::npos);
    EXPECT_NE(file.find("Segment Position = cursor\r\n<p align=\"Center\">\r\n<applet codebase=\"/preview/\" code="),
              std::string::npos);
    EXPECT_TRUE(std::filesystem::is_regular_file(m_dir + "/qlnbtn.class"));
    EXPECT_EQ(CallText(o(), 1), "SnippoServer.GlimButton");

    ComPtr<IDispatch> other = Create();
    EXPECT_TRUE(CallBool(other.Get(), 7, {Variant(path)}));
    EXPECT_EQ(CallText(other.Get(), 5), "/preview/");
    EXPECT_EQ(CallText(other.Get(), 19, {Variant(std::int16_t(0)), Variant(std::int16_t(0))}),
              CallText(o(), 19, {Variant(std::int16_t(0)), Variant(std::int16_t(0))}));
}

TEST_F(GlimButtonTest, AFileOfAnotherWidgetLeavesTheModelAlone)
{
    const std::string path = m_dir + "/other.qwd";
    {
        std::ofstream out(path, std::ios::binary);
        out << "========== Description Part Begin ==========\r\nProgID = Other.Widget\r\nTitle = Theirs\r\n"
               "========== Description Part End ==========\r\n\r\n"
               "========== Parameter Part Begin ==========\r\nApStyle = X,1,300,300,0,0,,0,0,0,,1,1,1,0,,,,1,M\r\n"
               "Misc = 0,\r\n========== Parameter Part End ==========\r\n";
    }
    const std::string before = CallText(o(), 19, {Variant(std::int16_t(0)), Variant(std::int16_t(1))});
    EXPECT_TRUE(CallBool(o(), 7, {Variant(path)}));
    EXPECT_EQ(CallText(o(), 2), "Theirs");  // the description is read all the same
    EXPECT_EQ(CallText(o(), 19, {Variant(std::int16_t(0)), Variant(std::int16_t(1))}), before);

    EXPECT_FALSE(CallBool(o(), 7, {Variant(m_dir + "/missing.qwd")}));
    EXPECT_FALSE(CallBool(o(), 8, {Variant(m_dir + "/no/such/folder/w.qwd")}));
    // What is no regular file is refused at once: a device without end, a pipe without writer.
    EXPECT_FALSE(CallBool(o(), 7, {Variant("/dev/zero")}));
    ASSERT_EQ(mkfifo((m_dir + "/pipe.qwd").c_str(), 0644), 0);
    EXPECT_FALSE(CallBool(o(), 7, {Variant(m_dir + "/pipe.qwd")}));
    EXPECT_FALSE(CallBool(o(), 8, {Variant(m_dir + "/pipe.qwd")}));
    EXPECT_EQ(CallText(o(), 2), "Theirs");
}

TEST_F(GlimButtonTest, BadCallsReturnTheirErrorCodes)
{
    Variant r;
    EXPECT_EQ(Call(o(), 0), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Call(o(), 28), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Call(o(), 22), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(o(), 17, {Variant(std::int16_t(1))}), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(o(), 19, {Variant(std::int16_t(0))}), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(o(), 22, {Variant("not a number")}), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Call(o(), 22, {Variant(std::int32_t(70000))}), DISP_E_OVERFLOW);
    EXPECT_EQ(Call(o(), 22, {Variant::Error()}), DISP_E_PARAMNOTOPTIONAL);
    EXPECT_EQ(CallText(o(), 22, {Variant("0")}), "qlnbtn.class");  // text coerces to a number
    EXPECT_EQ(AutomationInvoke(o(), 21, DISPATCH_PROPERTYPUT, {Variant(std::int16_t(1))}), DISP_E_MEMBERNOTFOUND);

    // Raw DISPPARAMS that do not hold together are refused, not followed.
    DISPPARAMS bad{nullptr, nullptr, 2, 0};
    EXPECT_EQ(o()->Invoke(22, DISPATCH_METHOD, &bad, nullptr, nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(o()->Invoke(17, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), S_OK);

    // Member names for scripting clients, without regard to case.
    std::u16string name = u"gethtmlbody";
    const char16_t* names[1] = {name.c_str()};
    DISPID id = 0;
    EXPECT_EQ(o()->GetIDsOfNames(names, 1, &id), S_OK);
    EXPECT_EQ(id, 19);
    name = u"SetResourceLocalPath";
    names[0] = name.c_str();
    EXPECT_EQ(o()->GetIDsOfNames(names, 1, &id), S_OK);
    EXPECT_EQ(id, 27);
    name = u"webruntime";
    names[0] = name.c_str();
    EXPECT_EQ(o()->GetIDsOfNames(names, 1, &id), S_OK);
    EXPECT_EQ(id, 16);
    name = u"Nothing";
    names[0] = name.c_str();
    EXPECT_EQ(o()->GetIDsOfNames(names, 1, &id), DISP_E_UNKNOWNNAME);
}

TEST_F(GlimButtonTest, WebRuntimeAddsTheScriptSegmentAndTheRuntimeFile)
{
    auto put = [this](DISPID id, Variant v) { ASSERT_EQ(AutomationInvoke(o(), id, DISPATCH_PROPERTYPUT, {v}), S_OK); };
    auto body = [this](std::int16_t segment, std::int16_t mode) {
        return CallText(o(), 19, {Variant(segment), Variant(mode)});
    };
    put(5, Variant("/preview/"));
    const std::string path = m_dir + "/w.qwd";
    ASSERT_TRUE(CallBool(o(), 8, {Variant(path)}));
    const std::string plainFile = ReadAll(path);
    const std::string plainHtml = body(0, 1);

    EXPECT_FALSE(CallBool(o(), 16));
    put(16, Variant(true));
    EXPECT_TRUE(CallBool(o(), 16));
    EXPECT_EQ(CallInt(o(), 17, {}, VT_I2), 2);
    EXPECT_EQ(CallText(o(), 18, {Variant(std::int16_t(0))}), "cursor");
    EXPECT_EQ(CallText(o(), 18, {Variant(std::int16_t(1))}), "script");
    EXPECT_EQ(body(1, 0), "<script src=\"/preview/qlnbtn.js\" defer></script>\r\n");
    EXPECT_EQ(body(1, 1), "<script src=\"qlnbtn.js\" defer></script>\r\n");
    EXPECT_EQ(body(1, 2), "<script src=\"qlnbtn.js\" defer></script>\r\n");
    EXPECT_EQ(body(0, 1), plainHtml);  // no item is visible: no list to add

    // The runtime lies beside the class file and shares its web path.
    EXPECT_EQ(CallInt(o(), 21, {}, VT_I2), 2);
    EXPECT_EQ(CallText(o(), 22, {Variant(std::int16_t(1))}), "qlnbtn.js");
    EXPECT_EQ(CallText(o(), 23, {Variant(std::int16_t(1))}), CallText(o(), 23, {Variant(std::int16_t(0))}));
    EXPECT_EQ(CallText(o(), 26, {Variant("qlnbtn.js")}), "");

    ASSERT_TRUE(CallBool(o(), 8, {Variant(path)}));
    const std::string file = ReadAll(path);
    EXPECT_NE(file.find("\r\nWebRuntime = 1\r\n"), std::string::npos);
    EXPECT_NE(file.find("Segment Position = script\r\n<script src=\"/preview/qlnbtn.js\" defer></script>\r\n"),
              std::string::npos);
    EXPECT_EQ(ReadAll(m_dir + "/qlnbtn.js"),
              ReadAll(std::filesystem::path(SNIPPO_SERVER_LIBRARY).parent_path().string() + "/qlnbtn.js"));

    ComPtr<IDispatch> other = Create();
    EXPECT_TRUE(CallBool(other.Get(), 7, {Variant(path)}));
    EXPECT_TRUE(CallBool(other.Get(), 16));
    EXPECT_EQ(CallInt(other.Get(), 17, {}, VT_I2), 2);

    // Switched off again, the widget writes exactly what it wrote before.
    put(16, Variant(false));
    EXPECT_EQ(CallInt(o(), 17, {}, VT_I2), 1);
    EXPECT_EQ(CallText(o(), 18, {Variant(std::int16_t(1))}), "cursor");
    EXPECT_EQ(body(1, 1), plainHtml);
    ASSERT_TRUE(CallBool(o(), 8, {Variant(path)}));
    EXPECT_EQ(ReadAll(path), plainFile);
}

}  // namespace
}  // namespace snippo::test
