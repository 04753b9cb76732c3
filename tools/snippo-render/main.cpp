// snippo-render FILE.qwd STATE OUT.png
//
// Paints the applet panel of a widget file exactly as the layout editor shows it (background,
// border and every button in state 1 normal, 2 mouse over or 3 clicked; no handles) into a
// PNG of the applet's size. Runs on the offscreen platform unless QT_QPA_PLATFORM says
// otherwise. Exit status: 0 done, 1 the file cannot be read or the picture written, 2 usage.
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "widget/editor/draw_obj_paint.h"
#include "tools/cli/cli.h"
#include "widget/model/config_file.h"

namespace {

constexpr int kMaxSide = 16384;

int Usage(const char* message)
{
    std::fprintf(stderr,
                 "snippo-render: %s\nusage: snippo-render FILE.qwd STATE OUT.png\n"
                 "  STATE  1 normal, 2 mouse over, 3 clicked\n",
                 message);
    return 2;
}

bool ParseState(const std::string& text, int& state)
{
    if (text.size() != 1 || text[0] < '1' || text[0] > '3')
        return false;
    state = text[0] - '0';
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (int rc = snippo::cli::AnswerStandardOptions(argc, argv, "snippo-render",
                                                    "usage: snippo-render FILE.qwd STATE OUT.png\n"
                                                    "Paints the widget's panel as the layout editor shows it and "
                                                    "writes it as PNG.\n"
                                                    "  STATE  1 normal, 2 mouse over, 3 clicked\n");
        rc >= 0)
        return rc;
    if (argc != 4)
        return Usage("expected three arguments");
    const std::string input = argv[1];
    const std::string output = argv[3];
    int state = 0;
    if (!ParseState(argv[2], state))
        return Usage(("STATE must be 1, 2 or 3, not \"" + std::string(argv[2]) + "\"").c_str());

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    std::error_code ec;
    if (!std::filesystem::is_regular_file(input, ec)) {
        std::fprintf(stderr, "snippo-render: cannot read \"%s\": no such file\n", input.c_str());
        return 1;
    }
    snippo::CWidgetConfig config;
    snippo::CAppletParameters params;
    bool applied = false;
    if (!snippo::ReadConfigFile(config, params, input, &applied)) {
        std::fprintf(stderr, "snippo-render: cannot read \"%s\"\n", input.c_str());
        return 1;
    }
    if (!applied) {
        std::fprintf(stderr, "snippo-render: \"%s\" is not a %s widget file (its ProgID is \"%s\")\n", input.c_str(),
                     snippo::kGlimButtonProgID, config.GetProgID().c_str());
        return 1;
    }
    if (params.m_nWidth < 1 || params.m_nHeight < 1 || params.m_nWidth > kMaxSide || params.m_nHeight > kMaxSide) {
        std::fprintf(stderr, "snippo-render: \"%s\" gives an applet size of %d x %d; sides must be 1 to %d\n",
                     input.c_str(), params.m_nWidth, params.m_nHeight, kMaxSide);
        return 1;
    }

    const QImage image = snippo::RenderApplet(params, state);
    if (image.isNull()) {
        std::fprintf(stderr, "snippo-render: cannot allocate a %d x %d picture\n", params.m_nWidth, params.m_nHeight);
        return 1;
    }
    if (!image.save(QString::fromStdString(output), "PNG")) {
        std::fprintf(stderr, "snippo-render: cannot write \"%s\"\n", output.c_str());
        return 1;
    }
    return 0;
}
