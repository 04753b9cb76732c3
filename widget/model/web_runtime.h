// What a widget adds to its output when it brings the browser runtime (qlnbtn.js), which
// turns the applet tag into a live widget in browsers that no longer run applets: the script
// segment for the page head, and a plain list of the widget's links for pages read without
// scripts. The applet HTML itself stays exactly as it is.
#pragma once

#include <cstdint>
#include <string>

namespace snippo {

class CAppletParameters;
class CWidgetConfig;

// The runtime's file, installed beside the server library and the applet class file.
inline constexpr const char* kWebRuntimeFile = "qlnbtn.js";
// Its key in the Description part of the widget file: "1" when the widget brings it. The
// key is written only then, so files of widgets without it stay as they always were.
inline constexpr const char* kWebRuntimeKey = "WebRuntime";
// Where the script segment goes in the page.
inline constexpr const char* kScriptPosition = "script";

// `<script src="PREFIXqlnbtn.js" defer></script>` and CR LF, where PREFIX is the applet
// class file's codebase in the given output mode (the preview path, the class web path, or
// nothing for the relative form).
std::string WebRuntimeScript(const CAppletParameters& params, CWidgetConfig& config, std::int16_t mode);

// The visible items of the emitted menus as nested `ul` lists, one tag a line: an item with
// a link becomes an `a href`, any other item its text; every text HTML-escaped. Walks the
// trees without recursion, so any depth is fine. Empty when no menu is emitted.
std::string WebRuntimeFallbackList(const CAppletParameters& params);

// Copies a file of the server library's folder into `destFolder` (ending with '/'),
// replacing a file of that name; nothing happens when both are the same file.
void CopyServerFile(const std::string& name, const std::string& destFolder);

}  // namespace snippo
