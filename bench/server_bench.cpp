// Cost of reaching the widget through the object runtime: creating the object (first, when
// the library is loaded, and later) and single Invoke calls on a 1,000-button widget.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/com/dispatch.h"
#include "platform/com/runtime.h"
#include "platform/com/server.h"
#include "widget/model/applet_parameters.h"
#include "widget/model/config_file.h"

using namespace snippo;

namespace {

struct Setup {
    std::string dir;
    CLSID clsid{};
    std::string widgetFile;

    Setup()
    {
        char pattern[] = "/tmp/snippo-bench-XXXXXX";
        dir = mkdtemp(pattern);
        std::filesystem::create_directories(dir + "/registry");
        setenv("SNIPPO_REGISTRY", (dir + "/registry").c_str(), 1);
        CoInitialize(nullptr);

        // A widget of 1,000 buttons, each with its hint, saved as a widget file.
        CAppletParameters params;
        for (int i = 0; i < 1000; ++i)
            params.AddObject(
                std::make_unique<CDrawRect>(CRect{i % 40 * 25, i / 40 * 20, i % 40 * 25 + 24, i / 40 * 20 + 19}));
        CWidgetConfig config;
        widgetFile = dir + "/big.qwd";
        WriteConfigFile(config, params, widgetFile, nullptr);
    }
    ~Setup()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

Setup& TheSetup()
{
    static Setup setup;
    return setup;
}

void BM_CoCreateInstance(benchmark::State& state)
{
    for (auto _ : state) {
        ComPtr<IDispatch> object;
        CoCreateInstance(TheSetup().clsid, nullptr, CLSCTX_INPROC_SERVER, &object);
        benchmark::DoNotOptimize(object.Get());
    }
}

ComPtr<IDispatch> BigWidget()
{
    ComPtr<IDispatch> object;
    CoCreateInstance(TheSetup().clsid, nullptr, CLSCTX_INPROC_SERVER, &object);
    AutomationInvoke(object.Get(), 7, DISPATCH_METHOD, {Variant(TheSetup().widgetFile)});
    return object;
}

void BM_InvokeGetResourceNumber(benchmark::State& state)
{
    ComPtr<IDispatch> object = BigWidget();
    for (auto _ : state) {
        Variant result;
        AutomationInvoke(object.Get(), 21, DISPATCH_METHOD, {}, &result);
        benchmark::DoNotOptimize(result.Get());
    }
}

void BM_InvokeGetHTMLBody(benchmark::State& state)
{
    ComPtr<IDispatch> object = BigWidget();
    std::size_t bytes = 0;
    for (auto _ : state) {
        Variant result;
        AutomationInvoke(object.Get(), 19, DISPATCH_METHOD, {Variant(std::int16_t(0)), Variant(std::int16_t(1))},
                         &result);
        bytes += SysStringByteLen(result.Get()->bstrVal);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

}  // namespace

BENCHMARK(BM_CoCreateInstance);
BENCHMARK(BM_InvokeGetResourceNumber);
BENCHMARK(BM_InvokeGetHTMLBody)->Unit(benchmark::kMillisecond);
int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    TheSetup();
    // Registered by another process, so that the first creation below opens the library.
    if (std::system(SNIPPO_REGSVR_TOOL " " SNIPPO_SERVER_LIBRARY " > /dev/null") != 0) {
        std::fprintf(stderr, "cannot register %s\n", SNIPPO_SERVER_LIBRARY);
        return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    CLSIDFromProgID("SnippoServer.GlimButton", &TheSetup().clsid);
    ComPtr<IDispatch> first;
    CoCreateInstance(TheSetup().clsid, nullptr, CLSCTX_INPROC_SERVER, &first);
    const auto us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    std::printf("first CoCreateInstance (opens the library): %.1f us\n", us);
    first.Reset();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
