// A stand-in widget server for the host's tests: the same dispatch identifiers as the real
// widget, with behaviour the tests set through the control block below (a changing resource
// list after Configure, HTML segments at any position, failing members).
#pragma once

#include "platform/com/types.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

using FakeResource = std::array<std::string, 3>;  // name, local path, web path

struct FakeWidgetControl {
    bool bConfigResult = true;
    bool bReadFails = false;     // ReadConfigFile answers false for every file
    bool bWriteFails = false;    // WriteConfigFile writes nothing and answers false
    bool bWriteNothing = false;  // WriteConfigFile writes nothing and answers true
    std::vector<FakeResource> resources;
    std::vector<FakeResource> resourcesAfterConfig;
    // Position and body of each segment; "{PATH}" in a body becomes the preview path for
    // kind 0 and "web/" for kind 1.
    std::vector<std::pair<std::string, std::string>> segments{{"cursor", "<APPLET CODEBASE=\"{PATH}\">\r\n</APPLET>"}};
    snippo::DISPID nFailDispid = 0;  // this member fails ...
    std::string strFailText;         // ... with this description ("": a bare result code)
    std::vector<std::string> calls;  // "ReadConfigFile(path)", "Config()", ...
    int nLiveObjects = 0;
};

// Exported by the fake library; the tests find it with dlsym.
extern "C" FakeWidgetControl* FakeWidget();
