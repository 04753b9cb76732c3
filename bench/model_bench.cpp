// Cost of the widget model's encoders and of the widget file, by widget size.
//
// Shape of a widget of N buttons: N buttons as the editor draws them, laid out ten to a row.
// Each button's item has its hint menu (one item, "Hint ..."); the hint item's sub-menu is
// the button's drop-down of 5 items, each with a label holding a comma and a line break, a
// description, a link, a target, and a normal and a mouse-over image (two files shared by
// all items, so that the resource list has real files to look at). Per button that is 8
// menus and 7 items: the button's menu, the hint menu, the drop-down menu, and the 5 empty
// sub-menus of the drop-down items.
//
// Counters: "per_button" is the time per button (lower is better), "bytes_per_second" the
// text produced (or read) per second. The two file benchmarks count wall-clock time, which
// includes the wait for the disk (the writer syncs the file before it replaces the old one);
// the others count processor time.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "widget/model/applet_parameters.h"
#include "widget/model/config_file.h"
#include "widget/model/widget_config.h"

using namespace snippo;
namespace fs = std::filesystem;

namespace {

// A folder that holds the stand-in applet class, the two images and the widget file.
class Workspace {
public:
    Workspace()
    {
        std::string pattern = (fs::temp_directory_path() / "snippo-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        m_path = pattern;
        for (const char* name : {"qlnbtn.class", "normal.gif", "over.gif"})
            std::ofstream(m_path + "/" + name) << name;
        SetServerFolder(m_path);
    }
    ~Workspace()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    std::string Dir() const { return m_path + "/"; }

private:
    std::string m_path;
};

Workspace& Space()
{
    static Workspace space;
    return space;
}

std::unique_ptr<CAppletParameters> MakeWidget(int buttons)
{
    auto p = std::make_unique<CAppletParameters>();
    p->m_strClassWebPath = "http://example.org/applets/";
    for (int b = 0; b < buttons; ++b) {
        const int x = (b % 10) * 90, y = (b / 10) * 25;
        CDrawObj* obj = p->AddObject(std::make_unique<CDrawRect>(CRect{x, y, x + 80, y + 20}));
        CGlimMenuItem* button = obj->m_pMenu->m_items[0].get();
        button->m_strLabel = "Button " + std::to_string(b);
        button->m_strLink = "http://example.org/page" + std::to_string(b) + ".html";
        CGlimMenuItem* hint = button->m_pSubMenu->m_items[0].get();
        hint->m_strLabel = "Hint for button " + std::to_string(b);
        CGlimMenu* dropDown = hint->SubMenu();
        for (int i = 0; i < 5; ++i) {
            auto item = std::make_unique<CGlimMenuItem>("Entry " + std::to_string(i) + ",\r\nsecond line");
            item->m_strDescription = "Drop-down entry " + std::to_string(i);
            item->m_strLink = "http://example.org/b" + std::to_string(b) + "/e" + std::to_string(i) + ".html";
            item->m_strTarget = "_blank";
            item->m_strImageNormal = Space().File("normal.gif");
            item->m_strImageNormalWeb = "http://example.org/img/";
            item->m_strImageOver = Space().File("over.gif");
            dropDown->AddItem(std::move(item), 0);
        }
    }
    return p;
}

// The record as WriteConfigFile fills it, without copying resources.
void FillConfig(CAppletParameters& p, CWidgetConfig& c)
{
    c.ClearParameters();
    c.ClearResources();
    c.ClearSegments();
    c.SetProgID(kGlimButtonProgID);
    p.WriteParameters(c);
    p.BuildResourceList(c);
    c.AddSegment("cursor", p.GetHTML(c, kHtmlPreview));
}

std::size_t ParameterBytes(const CWidgetConfig& c)
{
    std::size_t n = 0;
    for (const auto& [k, v] : c.m_mapParameters)
        n += k.size() + v.size();
    return n;
}

void Report(benchmark::State& state, std::size_t bytesPerIteration)
{
    const double buttons = static_cast<double>(state.range(0));
    state.counters["per_button"] =
        benchmark::Counter(buttons, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytesPerIteration));
}

void BM_WriteParameters(benchmark::State& state)
{
    auto p = MakeWidget(static_cast<int>(state.range(0)));
    CWidgetConfig c;
    for (auto _ : state) {
        p->WriteParameters(c);
        benchmark::DoNotOptimize(c.m_mapParameters.size());
    }
    Report(state, ParameterBytes(c));
}

// As a save runs it: the record's parameters were cleared before (not timed here).
void BM_WriteParametersAfterClear(benchmark::State& state)
{
    auto p = MakeWidget(static_cast<int>(state.range(0)));
    CWidgetConfig c;
    for (auto _ : state) {
        state.PauseTiming();
        c.ClearParameters();
        state.ResumeTiming();
        p->WriteParameters(c);
        benchmark::DoNotOptimize(c.m_mapParameters.size());
    }
    Report(state, ParameterBytes(c));
}

void BM_ReadParameters(benchmark::State& state)
{
    auto p = MakeWidget(static_cast<int>(state.range(0)));
    CWidgetConfig c;
    p->WriteParameters(c);
    CAppletParameters target;
    for (auto _ : state) {
        target.ReadParameters(c, Space().Dir());
        benchmark::DoNotOptimize(target.m_listDrawObjects.data());
    }
    if (target.m_listDrawObjects.size() != static_cast<std::size_t>(state.range(0)))
        state.SkipWithError("the widget did not read back");
    Report(state, ParameterBytes(c));
}

void BM_GetHTML(benchmark::State& state)
{
    auto p = MakeWidget(static_cast<int>(state.range(0)));
    CWidgetConfig c;
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string html = p->GetHTML(c, kHtmlWeb);
        bytes = html.size();
        benchmark::DoNotOptimize(html.data());
    }
    Report(state, bytes);
}

void BM_BuildResourceList(benchmark::State& state)
{
    auto p = MakeWidget(static_cast<int>(state.range(0)));
    CWidgetConfig c;
    int entries = 0;
    for (auto _ : state) {
        entries = p->BuildResourceList(c);
        benchmark::DoNotOptimize(entries);
    }
    if (entries != 1 + 10 * static_cast<int>(state.range(0)))
        state.SkipWithError("unexpected resource count");
    std::size_t bytes = 0;
    for (const ResourceEntry& e : c.m_arrResources)
        bytes += e.strName.size() + e.strLocalPath.size() + e.strWebPath.size();
    Report(state, bytes);
}

void BM_WriteFile(benchmark::State& state)
{
    auto p = MakeWidget(static_cast<int>(state.range(0)));
    CWidgetConfig c;
    FillConfig(*p, c);
    const std::string path = Space().File("bench-write.qwd");
    for (auto _ : state) {
        if (!c.WriteFile(path))
            state.SkipWithError("WriteFile failed");
    }
    Report(state, static_cast<std::size_t>(fs::file_size(path)));
}

void BM_ReadFile(benchmark::State& state)
{
    auto p = MakeWidget(static_cast<int>(state.range(0)));
    CWidgetConfig c;
    FillConfig(*p, c);
    const std::string path = Space().File("bench-read-" + std::to_string(state.range(0)) + ".qwd");
    c.WriteFile(path);
    for (auto _ : state) {
        // Into a fresh record, as a widget object reads a file; the record read in the
        // previous round is destroyed outside the timing.
        state.PauseTiming();
        auto r = std::make_unique<CWidgetConfig>();
        state.ResumeTiming();
        if (!r->ReadFile(path))
            state.SkipWithError("ReadFile failed");
        benchmark::DoNotOptimize(r->m_mapParameters.size());
        state.PauseTiming();
        r.reset();
        state.ResumeTiming();
    }
    Report(state, static_cast<std::size_t>(fs::file_size(path)));
}

}  // namespace

BENCHMARK(BM_WriteParameters)->RangeMultiplier(10)->Range(10, 10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteParametersAfterClear)->RangeMultiplier(10)->Range(10, 10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadParameters)->RangeMultiplier(10)->Range(10, 10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GetHTML)->RangeMultiplier(10)->Range(10, 10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildResourceList)->RangeMultiplier(10)->Range(10, 10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteFile)->RangeMultiplier(10)->Range(10, 10000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_ReadFile)->RangeMultiplier(10)->Range(10, 10000)->Unit(benchmark::kMicrosecond)->UseRealTime();

BENCHMARK_MAIN();
