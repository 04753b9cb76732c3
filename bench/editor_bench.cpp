// The editor's hot paths: repainting the whole applet, one drag step of one button among
// many (only the old and the new area may be repainted), and undo snapshots.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QPaintEvent>

#include "widget/editor/draw_obj_paint.h"
#include "widget/editor/draw_view.h"
#include "widget/model/applet_parameters.h"

using namespace snippo;

namespace {

// Buttons of 24 x 14 pixels in rows across a 1,200 x 1,200 applet.
void FillButtons(CAppletParameters& params, int count)
{
    params.m_nWidth = 1200;
    params.m_nHeight = 1200;
    for (int i = 0; i < count; ++i) {
        const int x = 12 + i % 45 * 26, y = 12 + i / 45 * 16;
        params.AddObject(std::make_unique<CDrawRect>(CRect{x, y, x + 24, y + 14}));
    }
}

void BM_FullRepaint(benchmark::State& state)
{
    CAppletParameters params;
    FillButtons(params, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QImage image = RenderApplet(params, 1);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["per_button"] =
        benchmark::Counter(static_cast<double>(state.range(0)),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Records the area of every paint event the view receives.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) {
            for (const QRect& r : static_cast<QPaintEvent*>(e)->region())
                pixels += static_cast<long>(r.width()) * r.height();
            ++events;
        }
        return false;
    }
    long pixels = 0;
    long events = 0;
};

void BM_DragStep(benchmark::State& state)
{
    CAppletParameters params;
    FillButtons(params, 1000);
    CDrawView view(&params);
    view.resize(1200, 1200);
    view.show();
    QApplication::processEvents();
    PaintCounter counter;
    view.installEventFilter(&counter);
    CDrawObj* obj = params.m_listDrawObjects[500].get();
    int dx = 1;
    for (auto _ : state) {
        CRect r = obj->m_position;
        r.OffsetRect(dx, 0);
        dx = -dx;
        SetPosition(*obj, r, &view);
        QApplication::processEvents();
    }
    state.counters["repainted_px_per_step"] =
        benchmark::Counter(static_cast<double>(counter.pixels) / static_cast<double>(state.iterations()));
    state.counters["applet_px"] = 1200.0 * 1200.0;
}

void BM_Checkpoint(benchmark::State& state)
{
    CAppletParameters params;
    FillButtons(params, static_cast<int>(state.range(0)));
    for (auto _ : state)
        params.History().Checkpoint();
}

void BM_Restore(benchmark::State& state)
{
    CAppletParameters params;
    FillButtons(params, static_cast<int>(state.range(0)));
    params.History().ResetHistory();
    const UndoHistory::Snapshot snapshot = params.History().UndoStack().front();
    for (auto _ : state)
        params.History().Restore(snapshot);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * snapshot.size()));
}

}  // namespace

BENCHMARK(BM_FullRepaint)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Checkpoint)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Restore)->Arg(1000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
