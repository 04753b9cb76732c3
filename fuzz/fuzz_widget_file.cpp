// Feeds arbitrary bytes to the widget file reader and the parameter reader, then encodes
// whatever they built: the parameter strings, the HTML in all three forms and the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "widget/model/applet_parameters.h"
#include "widget/model/text_fields.h"
#include "widget/model/widget_config.h"

using namespace snippo;

namespace {

std::size_t CountMenus(CAppletParameters& p)
{
    std::size_t n = 0;
    for (auto& obj : p.m_listDrawObjects)
        ForEachMenu(obj->Menu(), [&n](CGlimMenu*) { ++n; });
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // No applet class is needed; a fixed folder keeps the resource list from asking the
    // loader where the program lives on every input.
    SetServerFolder("/nonexistent-snippo-fuzz");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    CWidgetConfig config;
    config.Parse(text);

    CAppletParameters params;
    params.ReadParameters(config, "/nonexistent-snippo-fuzz/");
    // The tree built is bounded by the Misc text that describes it.
    const std::size_t miscFields = SplitFields(config.GetParameter("Misc", "")).size();
    if (CountMenus(params) > 2 * miscFields)
        __builtin_trap();

    CWidgetConfig written;
    params.WriteParameters(written);
    for (std::int16_t mode : {kHtmlPreview, kHtmlWeb, kHtmlRelative})
        (void)params.GetHTML(written, mode);

    // Once written, the model reads back with the same structure.
    CAppletParameters again;
    again.ReadParameters(written, "/nonexistent-snippo-fuzz/");
    if (CountMenus(again) != CountMenus(params))
        __builtin_trap();

    (void)config.Format();
    return 0;
}
