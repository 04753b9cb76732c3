// snippo-regsvr [-u] LIBRARY
//
// Registers (or with -u unregisters) an in-process server library by calling its
// DllRegisterServer (DllUnregisterServer).
//
// Exit status: 0 success, 1 the entry point returned a failure, 2 wrong usage, 3 the
// library cannot be loaded, 4 the library lacks the entry point.
#include <dlfcn.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/com/hresult.h"
#include "platform/com/runtime.h"

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitLoad = 3;
constexpr int kExitEntryPoint = 4;

int Usage() {
  std::fprintf(stderr, "Usage: snippo-regsvr [-u] LIBRARY\n"
                       "  Calls DllRegisterServer of LIBRARY, or DllUnregisterServer with -u.\n");
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  bool unregister = false;
  std::string library;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "-u" && !unregister) {
      unregister = true;
    } else if (arg == "-h" || arg == "--help") {
      Usage();
      return 0;
    } else if (library.empty() && !arg.empty() && arg[0] != '-') {
      library = arg;
    } else {
      return Usage();
    }
  }
  if (library.empty()) return Usage();

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
    std::fprintf(stderr, "%s not found in %s: %s\n", entryName, path.c_str(),
                 reason ? reason : "unknown error");
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
    if (!detail.empty()) std::fprintf(stderr, "%s\n", detail.c_str());
    return kExitFailed;
  }
  std::printf("%s in %s succeeded.\n", entryName, path.c_str());
  return 0;
}
