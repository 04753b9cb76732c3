// snippo-publish WIDGET.qwd OUTDIR [--web-path PREFIX] [--fragment] [--png FILE]
//
// Makes a widget file ready for a web site, for scripted site builds: reads it through the
// registered widget server (by its ProgID, as TessalyTool does), copies every support file
// into OUTDIR and writes OUTDIR/index.html, a page with the widget; --fragment prints only
// the HTML to paste instead of writing the page. Nothing is left half-written: the output
// is staged and moved into place at the end. Exit status: 0 done, 1 failure, 2 usage.
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/cli/cli.h"
#include "tools/snippo-publish/publish.h"
#include "tools/snippo-publish/staging.h"
#include "widget/editor/draw_obj_paint.h"
#include "widget/model/config_file.h"

namespace fs = std::filesystem;
using namespace snippo;

namespace {

constexpr const char* kProgId = "SnippoServer.GlimButton";

constexpr const char* kHelp =
    "usage: snippo-publish WIDGET.qwd OUTDIR [--web-path PREFIX] [--fragment] [--png FILE]\n"
    "Copies the widget's support files into OUTDIR and writes OUTDIR/index.html, a page with the widget.\n"
    "  --web-path PREFIX  put PREFIX before every support file's name in the HTML\n"
    "  --fragment         print only the HTML to paste into a page; write no index.html\n"
    "  --png FILE         also write the widget's panel as a PNG picture\n"
    "  --help             show this help\n"
    "  --version          show the version\n"
    "The widget server must be registered (snippo-regsvr).\n";

struct Options {
    std::string widget, outDir, webPath, png;
    bool fragment = false;
};

int Usage(const std::string& message)
{
    std::fprintf(stderr, "snippo-publish: %s\n%s", message.c_str(), kHelp);
    return 2;
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "snippo-publish: %s\n", message.c_str());
    return 1;
}

bool Parse(int argc, char** argv, Options& o, std::string& message)
{
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--fragment") {
            o.fragment = true;
        } else if (arg == "--web-path" || arg == "--png") {
            if (i + 1 >= argc) {
                message = arg + " needs a value";
                return false;
            }
            (arg == "--png" ? o.png : o.webPath) = argv[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            message = "unknown option " + arg;
            return false;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) {
        message = "expected WIDGET.qwd and OUTDIR";
        return false;
    }
    o.widget = positional[0];
    o.outDir = positional[1];
    return true;
}

bool WriteText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

// The panel in its normal state, as snippo-render paints it.
bool RenderPanel(const std::string& widgetFile, const std::string& png, std::string& message)
{
    CWidgetConfig config;
    CAppletParameters params;
    bool applied = false;
    if (!ReadConfigFile(config, params, widgetFile, &applied) || !applied) {
        message = "cannot paint \"" + widgetFile + "\"";
        return false;
    }
    const QImage image = RenderApplet(params, 1);
    if (image.isNull() || !image.save(QString::fromStdString(png), "PNG")) {
        message = "cannot write the picture \"" + png + "\"";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (int rc = cli::AnswerStandardOptions(argc, argv, "snippo-publish", kHelp); rc >= 0)
        return rc;
    Options o;
    std::string message;
    if (!Parse(argc, argv, o, message))
        return Usage(message);

    std::error_code ec;
    if (!fs::is_regular_file(o.widget, ec))
        return Fail("cannot read \"" + o.widget + "\": no such file");
    const std::string widgetFile = fs::absolute(o.widget, ec).lexically_normal().string();

    publish::Published widget;
    if (!publish::ReadWidget(kProgId, widgetFile, o.webPath, widget, message))
        return Fail(message);

    publish::Staging staging;
    if (!staging.Begin(o.outDir, message))
        return Fail(message);
    for (const publish::SupportFile& file : widget.files) {
        fs::copy_file(file.source, staging.PathOf(file.name), fs::copy_options::overwrite_existing, ec);
        if (ec)
            return Fail("cannot copy the support file \"" + file.source + "\": " + ec.message());
        staging.Add(file.name);
    }
    if (!o.fragment) {
        if (!WriteText(staging.PathOf("index.html"), publish::Page(widget)))
            return Fail("cannot write index.html into \"" + o.outDir + "\"");
        staging.Add("index.html");
    }
    std::string pngStaged;
    if (!o.png.empty()) {
        // Painting needs fonts, hence a GUI application; the offscreen one needs no display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        pngStaged = o.png + ".snippo-publish-new";
        if (!RenderPanel(widgetFile, pngStaged, message)) {
            fs::remove(pngStaged, ec);
            return Fail(message);
        }
    }
    if (!staging.Commit(message)) {
        if (!pngStaged.empty())
            fs::remove(pngStaged, ec);
        return Fail(message);
    }
    if (!pngStaged.empty()) {
        fs::rename(pngStaged, o.png, ec);
        if (ec)
            return Fail("cannot write the picture \"" + o.png + "\": " + ec.message());
    }
    if (o.fragment)
        std::fputs(publish::Fragment(widget).c_str(), stdout);
    return 0;
}
