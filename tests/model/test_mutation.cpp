// Deterministic mutation testing of the readers: thousands of damaged widget files and
// parameter maps go through the file reader and the parameter reader, and whatever they
// build is encoded again. Nothing may crash or hang, the model built must stay within a
// bound set by the input's size, and a second encoding must be stable.
#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <iostream>

#include "model_support.h"
#include "widget/model/applet_parameters.h"
#include "widget/model/text_fields.h"

using namespace snippo;
using namespace snippo::test;

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t lf = text.find('\n', pos);
        if (lf == std::string::npos) {
            lines.push_back(text.substr(pos));
            break;
        }
        lines.push_back(text.substr(pos, lf + 1 - pos));
        pos = lf + 1;
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& l : lines)
        text += l;
    return text;
}

// A Misc value meant to hurt: counts far beyond the text, self-links, shared menus, cycles,
// positions outside the arrays, negative and empty fields.
std::string HostileMisc(ModelGenerator& gen)
{
    static const char* const menuCounts[] = {"0", "1", "2", "3", "7", "40", "2000000000", "-1", "", "x"};
    static const char* const itemCounts[] = {"0", "1", "1", "2", "3", "999999999", "-5", "", "2147483647"};
    std::string misc = menuCounts[gen.Below(10)];
    misc += ",";
    const int counts = static_cast<int>(gen.Below(50));
    for (int j = 0; j < counts; ++j)
        misc += std::string(itemCounts[gen.Below(9)]) + ",";
    auto position = [&gen]() -> std::string {
        switch (gen.Below(6)) {
        case 0:
            return "-1";
        case 1:
            return "2000000000";
        case 2:
            return "";
        default:
            return std::to_string(gen.Below(60));
        }
    };
    const int links = static_cast<int>(gen.Below(70));
    for (int k = 0; k < links; ++k) {
        switch (gen.Below(8)) {
        case 0:
            misc.append("-").append(position());
            break;
        case 1: {
            const std::string self = position();
            misc += self + "-" + self;  // a self-link
            break;
        }
        case 2:
            misc += position() + "-" + position() + "-" + position();
            break;
        case 3:
            misc += "-";
            break;
        default:
            misc += position() + "-" + position();
            break;
        }
        misc += ",";
    }
    return misc;
}

// Files to damage: real models, written as the widget writes them.
std::vector<std::string> Corpus()
{
    std::vector<std::string> corpus;
    for (std::uint32_t seed = 500; corpus.size() < 12; ++seed) {
        CAppletParameters p;
        ModelGenerator gen(seed);
        gen.Fill(p, {"/src/a.gif", "/src/b.au"}, false);
        // Small models: the damage then touches a larger share of each file.
        if (p.m_listDrawObjects.empty() || CountMenus(p) > 25)
            continue;
        CWidgetConfig c;
        c.SetProgID("SnippoServer.GlimButton");
        c.SetTitle("Widget " + std::to_string(seed));
        c.SetLastUpdateTime(45000.5);
        p.WriteParameters(c);
        c.AddSegment("cursor", p.GetHTML(c, kHtmlPreview));
        c.AddResource("a.gif", "/src", "http://w/");
        c.AddResource("b.au", "/src", "");
        corpus.push_back(c.Format());
    }
    // A chain far deeper than any widget a person draws.
    CAppletParameters deep;
    CGlimMenu* menu = AddButton(deep, {0, 0, 80, 20})->Menu();
    for (int level = 0; level < 300; ++level) {
        menu = menu->m_items[0]->SubMenu();
        menu->SetItemCount(1, 0);
        menu->m_items[0]->m_strImageNormal = "/src/a.gif";
    }
    CWidgetConfig c;
    c.SetProgID("SnippoServer.GlimButton");
    deep.WriteParameters(c);
    corpus.push_back(c.Format());
    return corpus;
}

class Mutator {
public:
    explicit Mutator(std::uint32_t seed) : m_gen(seed) {}

    std::string Mutate(std::string text)
    {
        const int rounds = 1 + static_cast<int>(m_gen.Below(3));
        for (int r = 0; r < rounds; ++r)
            text = MutateOnce(std::move(text));
        return text;
    }

    ModelGenerator& Gen() { return m_gen; }

private:
    std::string MutateOnce(std::string text)
    {
        static const char interesting[] = ",-=\n\r0123456789|~`^@#_ ";
        static const char* const numbers[] = {"2000000000",  "0",          "-1",    "65537", "999999999999",
                                              "-2147483648", "4294967295", "65535", "-0",    "00000000000000000000007"};
        if (text.empty())
            return "Misc = " + HostileMisc(m_gen) + "\r\n";
        std::vector<std::string> lines = SplitLines(text);
        const std::uint32_t at = m_gen.Below(static_cast<std::uint32_t>(text.size()));
        const std::uint32_t line = m_gen.Below(static_cast<std::uint32_t>(lines.size()));
        switch (m_gen.Below(11)) {
        case 0:
            text[at] = static_cast<char>(text[at] ^ (1 << m_gen.Below(8)));
            return text;
        case 1:
            text[at] = interesting[m_gen.Below(sizeof interesting - 1)];
            return text;
        case 2:
            text.resize(at);
            return text;
        case 3:
            lines.insert(lines.begin() + line, lines[line]);
            return JoinLines(lines);
        case 4:
            lines.erase(lines.begin() + line);
            return JoinLines(lines);
        case 5:
            std::swap(lines[line], lines[m_gen.Below(static_cast<std::uint32_t>(lines.size()))]);
            return JoinLines(lines);
        case 6: {
            // Replace a run of digits by a troublesome number.
            std::size_t d = text.find_first_of("0123456789", at);
            if (d == std::string::npos)
                return text;
            std::size_t e = text.find_first_not_of("0123456789", d);
            if (e == std::string::npos)
                e = text.size();
            return text.substr(0, d) + numbers[m_gen.Below(10)] + text.substr(e);
        }
        case 7:
        case 8: {
            // A hostile Misc, in place of the one there or added in the parameter part.
            for (std::string& l : lines)
                if (l.rfind("Misc = ", 0) == 0) {
                    l = "Misc = " + HostileMisc(m_gen) + "\r\n";
                    return JoinLines(lines);
                }
            lines.insert(lines.begin() + line, "Misc = " + HostileMisc(m_gen) + "\r\n");
            return JoinLines(lines);
        }
        case 9: {
            static const char* const counts[] = {"Resource Number = 65535\r\n", "Segment Number = 65535\r\n",
                                                 "Resource Number = -1\r\n", "Segment Number = 99999999999\r\n",
                                                 "Segment Position = x\r\n"};
            lines.insert(lines.begin() + line, counts[m_gen.Below(5)]);
            return JoinLines(lines);
        }
        default: {
            // A stray style or item line with random fields.
            std::string key;
            switch (m_gen.Below(3)) {
            case 0:
                key = "MStyle-" + std::to_string(m_gen.Below(20));
                break;
            case 1:
                key = "IStyle-" + std::to_string(m_gen.Below(20));
                break;
            default:
                key = "I" + std::to_string(m_gen.Below(20)) + "-" + std::to_string(m_gen.Below(4));
                break;
            }
            std::string value;
            for (int f = static_cast<int>(m_gen.Below(60)); f > 0; --f)
                value += (m_gen.Chance(50) ? std::string(numbers[m_gen.Below(10)]) : m_gen.Text(6)) + ",";
            lines.insert(lines.begin() + line, key + " = " + value + "\r\n");
            return JoinLines(lines);
        }
        }
    }

    ModelGenerator m_gen;
};

struct Stats {
    std::size_t inputs = 0;
    std::size_t withButtons = 0;
    std::size_t maxMenus = 0;
    double slowestMs = 0;
};

// Reads a parameter map and checks what comes out; returns the number of menus built.
std::size_t Exercise(CWidgetConfig& c, Stats& stats)
{
    const auto start = Clock::now();
    CAppletParameters p;
    EXPECT_EQ(1, p.ReadParameters(c, "/w/"));

    // Bounded memory: every menu needs a field of Misc, and every item a field or a key,
    // but for the short gaps between named items.
    const std::size_t miscFields = SplitFields(c.GetParameter("Misc", "")).size();
    const std::size_t menus = CountMenus(p);
    // Whatever the text names, every resource lies in the widget's own folder.
    std::vector<std::string> paths = {p.m_strBackImage, p.m_strBackAudio};
    for (const auto& obj : p.m_listDrawObjects)
        ForEachMenu(obj->Menu(), [&](CGlimMenu* m) {
            for (const auto& item : m->m_items)
                for (int r = 0; r < CGlimMenuItem::kResourceCount; ++r)
                    paths.push_back(item->ResourcePath(r));
        });
    for (const std::string& path : paths)
        EXPECT_TRUE(path.empty() || (path.rfind("/w/", 0) == 0 && path.find_first_of("/\\", 3) == std::string::npos))
            << path;
    const std::size_t items = CountItems(p);
    EXPECT_LE(items, 3 * (miscFields + c.m_mapParameters.size()) + 64);
    EXPECT_LE(menus, miscFields + items);

    CWidgetConfig w;
    p.WriteParameters(w);
    // The three output forms take turns.
    const std::string html = p.GetHTML(w, static_cast<std::int16_t>(stats.inputs % 3));
    EXPECT_EQ(0u, html.find("<p align=\""));
    EXPECT_EQ(html.size() - 17, html.rfind("</applet>\r\n</p>\r\n"));
    // Once written by the writer, the model is well formed: the structure survives a read,
    // and a second encoding equals the first.
    CAppletParameters q;
    q.ReadParameters(w, "/w/");
    EXPECT_EQ(menus, CountMenus(q));
    CWidgetConfig w2;
    q.WriteParameters(w2);
    CAppletParameters r;
    r.ReadParameters(w2, "/w/");
    CWidgetConfig w3;
    r.WriteParameters(w3);
    EXPECT_EQ(w2.m_mapParameters, w3.m_mapParameters);

    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    stats.slowestMs = std::max(stats.slowestMs, ms);
    stats.maxMenus = std::max(stats.maxMenus, menus);
    ++stats.inputs;
    if (!p.m_listDrawObjects.empty())
        ++stats.withButtons;
    return menus;
}

void RunFiles(std::uint32_t seed, int count, Stats& stats)
{
    const std::vector<std::string> corpus = Corpus();
    Mutator mutator(seed);
    for (int i = 0; i < count; ++i) {
        std::string text = mutator.Mutate(corpus[static_cast<std::size_t>(i) % corpus.size()]);
        if (mutator.Gen().Chance(20)) {
            // The same damage with bare LF line ends.
            std::string lf;
            for (char ch : text)
                if (ch != '\r')
                    lf += ch;
            text.swap(lf);
        }
        CWidgetConfig c;
        c.Parse(text);
        EXPECT_LE(c.m_arrResources.size(), 65535u);
        EXPECT_LE(c.m_arrSegments.size(), 65535u);
        CWidgetConfig again;
        again.Parse(c.Format());
        Exercise(c, stats);
        if (::testing::Test::HasFailure()) {
            ADD_FAILURE() << "input " << i << ":\n" << text;
            return;
        }
    }
}

}  // namespace

TEST(Mutation, DamagedWidgetFilesA)
{
    Stats stats;
    RunFiles(1, 2000, stats);
    EXPECT_EQ(2000u, stats.inputs);
    EXPECT_GT(stats.withButtons, 800u);  // most damage leaves something to read
    EXPECT_LT(stats.slowestMs, 2000.0);
}

TEST(Mutation, DamagedWidgetFilesB)
{
    // In a locale whose decimal point is ",", as a Qt program sets it for a German user.
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        std::cerr << "de_DE.UTF-8 is not installed; this run keeps the C locale\n";
    struct Restore {
        std::string locale;
        ~Restore() { std::setlocale(LC_ALL, locale.c_str()); }
    } restore{previous};
    EXPECT_NE(std::string::npos, Corpus()[0].find("LastUpdateTime = 45000.500000000\r\n"));
    Stats stats;
    RunFiles(2, 2000, stats);
    EXPECT_EQ(2000u, stats.inputs);
    EXPECT_LT(stats.slowestMs, 2000.0);
}

TEST(Mutation, HostileParameterMaps)
{
    static const char* const names[] = {"a/b.gif", "../../../../etc/hostname", "..\\x\\y.au", "/abs/z.gif", "c.gif"};
    ModelGenerator gen(3);
    Stats stats;
    for (int i = 0; i < 3000; ++i) {
        CWidgetConfig c;
        c.SetParameter("Misc", HostileMisc(gen));
        // Some style and item keys for the menus that Misc describes.
        for (int k = static_cast<int>(gen.Below(8)); k > 0; --k) {
            const int n = static_cast<int>(gen.Below(12));
            std::string style = std::to_string(gen.Int());
            style.append(",1,2,3,");
            for (int f = 0; f < 4; ++f)
                style.append(std::to_string(gen.Int())).append(",");
            style.append("5,6,0,0,0,").append(gen.Text(5)).append(",").append(std::to_string(gen.Int()));
            c.SetParameter(MenuStyleKey(n), style);
            c.SetParameter(ItemKey(n, 1 + static_cast<int>(gen.Below(3))), gen.Label()
                                                                               .append(",")
                                                                               .append(gen.Text(5))
                                                                               .append(",,,")
                                                                               .append(names[gen.Below(5)])
                                                                               .append(",,,,")
                                                                               .append(names[gen.Below(5)])
                                                                               .append(",0,,,,,"));
        }
        if (gen.Chance(50))
            c.SetParameter("ApStyle", gen.Text(10) + ",9,-5,2000000000,-1,4294967295," + gen.Text(4));
        if (gen.Chance(30))
            c.SetParameter("WindowPosition", "1,2,3,4,5,6,7,8,99999999999");
        Exercise(c, stats);
        if (HasFailure()) {
            ADD_FAILURE() << "Misc = " << c.GetParameter("Misc", "");
            return;
        }
    }
    EXPECT_GT(stats.withButtons, 300u);
    EXPECT_LT(stats.slowestMs, 2000.0);
}

TEST(Mutation, HugeCountsStayProportionalToTheText)
{
    // Counts that promise far more than the text holds build no more than the text allows.
    Stats stats;
    for (const char* misc : {"2000000000,", "2000000000,2000000000,2000000000,-0,0-1,", "1,2147483647,-0,",
                             "3,999999999,999999999,999999999,-0,-1,-2,"}) {
        CWidgetConfig c;
        c.SetParameter("Misc", misc);
        EXPECT_LE(Exercise(c, stats), 12u) << misc;
    }
    // A long, valid chain of top-level buttons is read in full.
    std::string misc = "20000,";
    for (int j = 0; j < 20000; ++j)
        misc += "0,";
    for (int j = 0; j < 20000; ++j)
        misc.append("-").append(std::to_string(j)).append(",");
    CWidgetConfig c;
    c.SetParameter("Misc", misc);
    EXPECT_EQ(20000u, Exercise(c, stats));
}
