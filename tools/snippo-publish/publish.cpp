#include "tools/snippo-publish/publish.h"

#include "platform/com/dispatch.h"
#include "platform/com/runtime.h"
#include "widget/model/text_fields.h"

#include <filesystem>

namespace snippo::publish {

namespace {

// A member called by name, as any scripting client of the widget does.
class Caller {
public:
    explicit Caller(IDispatch* object) : m_object(object) {}

    bool Call(const std::string& name, WORD flags, const std::vector<Variant>& args, Variant& result,
              std::string& message)
    {
        std::u16string wide = Utf16FromUtf8(name);
        const char16_t* names[1] = {wide.c_str()};
        DISPID id = 0;
        HRESULT hr = m_object->GetIDsOfNames(names, 1, &id);
        std::string detail;
        if (SUCCEEDED(hr))
            hr = AutomationInvoke(m_object, id, flags, args, &result, &detail);
        if (FAILED(hr)) {
            message = "the widget server failed on " + name + ": " + HResultToString(hr) +
                      (detail.empty() ? "" : " (" + detail + ")");
            return false;
        }
        return true;
    }

    bool Text(const std::string& name, const std::vector<Variant>& args, std::string& out, std::string& message)
    {
        Variant result;
        if (!Call(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, result, message))
            return false;
        if (FAILED(result.ToUtf8(&out))) {
            message = "the widget server answered " + name + " with something that is not text";
            return false;
        }
        return true;
    }

    bool Number(const std::string& name, std::int32_t& out, std::string& message)
    {
        std::string text;
        if (!Text(name, {}, text, message))
            return false;
        try {
            out = std::stoi(text);
        } catch (const std::exception&) {
            message = "the widget server answered " + name + " with \"" + text + "\"";
            return false;
        }
        return true;
    }

private:
    IDispatch* m_object;
};

std::string Line(const std::string& segment)
{
    return segment.empty() ? std::string() : segment + "\n";
}

bool Gather(IDispatch* object, const std::string& progId, const std::string& widgetFile, const std::string& webPath,
            Published& out, std::string& message)
{
    Caller widget(object);
    Variant read;
    if (!widget.Call("ReadConfigFile", DISPATCH_METHOD, {Variant(widgetFile)}, read, message))
        return false;
    bool ok = false;
    if (FAILED(read.ToBool(&ok)) || !ok) {
        message = "\"" + widgetFile + "\" is not a widget file";
        return false;
    }
    std::string fileProgId;
    if (!widget.Text("ProgID", {}, fileProgId, message))
        return false;
    if (fileProgId.empty()) {
        message = "\"" + widgetFile + "\" is not a widget file";
        return false;
    }
    if (fileProgId != progId) {
        message = "\"" + widgetFile + "\" is a widget of \"" + fileProgId + "\", not of " + progId;
        return false;
    }
    Variant ignored;
    // The preview form puts the preview path before every support file: the web path asked for.
    if (!widget.Call("PreviewPath", DISPATCH_PROPERTYPUT, {Variant(webPath)}, ignored, message) ||
        !widget.Text("Title", {}, out.title, message))
        return false;
    if (out.title.empty())
        out.title = std::filesystem::path(widgetFile).stem().string();

    std::int32_t segments = 0;
    if (!widget.Number("GetHTMLSegmentNumber", segments, message))
        return false;
    for (std::int32_t i = 0; i < segments; ++i) {
        std::string position, body;
        const Variant index(static_cast<std::int16_t>(i));
        if (!widget.Text("GetHTMLPosition", {index}, position, message) ||
            !widget.Text("GetHTMLBody", {index, Variant(std::int16_t{0})}, body, message))
            return false;
        (position == "style" ? out.style : position == "script" ? out.script : out.body) += body;
    }

    std::int32_t resources = 0;
    if (!widget.Number("GetResourceNumber", resources, message))
        return false;
    for (std::int32_t i = 0; i < resources; ++i) {
        SupportFile file;
        std::string folder;
        const Variant index(static_cast<std::int16_t>(i));
        if (!widget.Text("GetResourceName", {index}, file.name, message) ||
            !widget.Text("GetResourceLocalPath", {index}, folder, message))
            return false;
        if (!folder.empty() && folder.back() != '/')
            folder += '/';
        file.source = folder + file.name;
        out.files.push_back(std::move(file));
    }
    return true;
}

}  // namespace

bool ReadWidget(const std::string& progId, const std::string& widgetFile, const std::string& webPath, Published& out,
                std::string& message)
{
    CoInitialize(nullptr);
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(progId, &clsid);
    bool ok = false;
    if (FAILED(hr)) {
        message = "the widget server " + progId + " is not registered (" + HResultToString(hr) +
                  "); register it with snippo-regsvr LIBRARY";
    } else {
        ComPtr<IDispatch> object;
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, &object);
        if (FAILED(hr)) {
            const std::string why = CoGetLastErrorText();
            message = "cannot create " + progId + ": " + HResultToString(hr) + (why.empty() ? "" : " (" + why + ")");
        } else {
            ok = Gather(object.Get(), progId, widgetFile, webPath, out, message);
        }
    }
    CoFreeUnusedLibraries();
    CoUninitialize();
    return ok;
}

std::string Page(const Published& widget)
{
    return "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + HtmlEscape(widget.title) +
           "</title>\n" + Line(widget.style) + Line(widget.script) + "</head>\n<body>\n" + Line(widget.body) +
           "</body>\n</html>\n";
}

std::string Fragment(const Published& widget)
{
    return Line(widget.style) + Line(widget.script) + Line(widget.body);
}

}  // namespace snippo::publish
