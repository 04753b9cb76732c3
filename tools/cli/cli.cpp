#include "tools/cli/cli.h"

#include <cstdio>
#include <cstring>

namespace snippo::cli {

const char* Version()
{
    return SNIPPO_VERSION;
}

int AnswerStandardOptions(int argc, char** argv, const char* program, const char* help)
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--") == 0)
            break;
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            std::fputs(help, stdout);
            return 0;
        }
        if (std::strcmp(arg, "--version") == 0) {
            std::printf("%s (Tessaly GlimButton) %s\n", program, Version());
            return 0;
        }
    }
    return -1;
}

}  // namespace snippo::cli
