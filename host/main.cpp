#include "host/app.h"
#include "tools/cli/cli.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Qt aborts when the platform it picks finds no display; say so instead, as the build
// script does, and leave with an error.
bool DisplayAvailable()
{
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char* argv[])
{
    if (int rc = snippo::cli::AnswerStandardOptions(
            argc, argv, "TessalyTool",
            "usage: TessalyTool [--preview] [FILE.qwd]\n"
            "Builds menu-button widgets for web pages and opens FILE.qwd when one is named.\n"
            "  --preview  show the widget's preview in the web browser at once\n"
            "Needs a display; without one, run it under xvfb-run -a or with QT_QPA_PLATFORM=offscreen.\n"
            "  --help     show this help\n"
            "  --version  show the version\n");
        rc >= 0)
        return rc;
    if (!DisplayAvailable()) {
        std::fprintf(stderr,
                     "TessalyTool: no display is available. Start it under a virtual display instead\n"
                     "(xvfb-run comes with the xvfb package): xvfb-run -a %s\n",
                     argc > 0 ? argv[0] : "TessalyTool");
        return 1;
    }
    QApplication qapp(argc, argv);
    snippo::CTessalyToolApp app;
    if (!app.InitInstance(QCoreApplication::arguments()))
        return 1;
    return app.Run();
}
