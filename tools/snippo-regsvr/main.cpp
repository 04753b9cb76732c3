// snippo-regsvr [-u] [--system] LIBRARY
//
// Registers (or with -u unregisters) an in-process server library by calling its
// DllRegisterServer (DllUnregisterServer); with --system in the machine-wide registry layer
// that every account reads beneath its own.
//
// Exit status: 0 success, 1 the entry point returned a failure, 2 wrong usage, 3 the
// library cannot be loaded, 4 the library lacks the entry point, 5 --system without root.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/com/hresult.h"
#include "platform/com/runtime.h"
#include "platform/registry/registry.h"
#include "tools/cli/cli.h"

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitLoad = 3;
constexpr int kExitEntryPoint = 4;
constexpr int kExitNotRoot = 5;

constexpr const char* kHelp = "Usage: snippo-regsvr [-u] [--system] LIBRARY\n"
                              "  Calls DllRegisterServer of LIBRARY, or DllUnregisterServer with -u.\n"
                              "  --system   register in the machine-wide registry for every account (root only)\n"
                              "  --help     show this help\n"
                              "  --version  show the version\n";

int Usage()
{
    std::fputs(kHelp, stderr);
    return kExitUsage;
}

}  // namespace

int main(int argc, char** argv)
{
    if (int rc = snippo::cli::AnswerStandardOptions(argc, argv, "snippo-regsvr", kHelp); rc >= 0)
        return rc;
    bool unregister = false;
    bool system = false;
    std::string library;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-u" && !unregister) {
            unregister = true;
        } else if (arg == "--system" && !system) {
            system = true;
        } else if (library.empty() && !arg.empty() && arg[0] != '-') {
            library = arg;
        } else {
            return Usage();
        }
    }
    if (library.empty())
        return Usage();

    if (system) {
        // A package's staging run names its own folder; the real machine-wide one is root's.
        const char* staged = std::getenv("SNIPPO_SYSTEM_REGISTRY");
        if (geteuid() != 0 && (staged == nullptr || *staged == '\0')) {
            std::fprintf(stderr,
                         "snippo-regsvr: --system writes the machine-wide registry in %s, which only root "
                         "may change.\nRun it as root (for example with sudo), or leave out --system to "
                         "register for your account alone.\n",
                         snippo::RegSystemFolder().c_str());
            return kExitNotRoot;
        }
        snippo::RegSetSystemScope(true);
    }

    // The server registers the path it was loaded from, so load it by its absolute path.
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(library, ec);
    const std::string path = ec ? library : absolute.lexically_normal().string();
    const char* entryName = unregister ? "DllUnregisterServer" : "DllRegisterServer";

    // RTLD_NODELETE like the object runtime: a server holding Qt code must stay mapped.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (handle == nullptr) {
        const char* reason = dlerror();
        std::fprintf(stderr, "Cannot load %s: %s\n", path.c_str(), reason ? reason : "unknown error");
        return kExitLoad;
    }
    dlerror();
    void* symbol = dlsym(handle, entryName);
    if (symbol == nullptr) {
        const char* reason = dlerror();
        std::fprintf(stderr, "%s not found in %s: %s\n", entryName, path.c_str(), reason ? reason : "unknown error");
        return kExitEntryPoint;
    }
    auto entry = reinterpret_cast<snippo::HRESULT (*)()>(symbol);

    const snippo::HRESULT init = snippo::CoInitialize();
    if (snippo::FAILED(init)) {
        std::fprintf(stderr, "CoInitialize failed: %s\n", snippo::HResultToString(init).c_str());
        return kExitFailed;
    }
    const snippo::HRESULT hr = entry();
    snippo::CoUninitialize();

    if (snippo::FAILED(hr)) {
        std::fprintf(stderr, "%s in %s failed: %s\n", entryName, path.c_str(), snippo::HResultToString(hr).c_str());
        const std::string detail = snippo::CoGetLastErrorText();
        if (!detail.empty())
            std::fprintf(stderr, "%s\n", detail.c_str());
        return kExitFailed;
    }
    std::printf("%s in %s succeeded%s.\n", entryName, path.c_str(),
                system ? (" (machine-wide registry " + snippo::RegSystemFolder() + ")").c_str() : "");
    return 0;
}
