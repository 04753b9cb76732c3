// What snippo-publish asks of the widget server: the page's HTML and the support files.
#pragma once

#include <string>
#include <vector>

namespace snippo::publish {

struct SupportFile {
    std::string name;    // file name
    std::string source;  // where it lies on this machine
};

struct Published {
    std::string title;                // the widget's title, else the file's name without extension
    std::string style, script, body;  // HTML segments by their place in the page
    std::vector<SupportFile> files;
};

// Creates `progId` through the object runtime, has it read `widgetFile` and gathers its
// HTML (support files named with `webPath` before them) and its support files. False with
// a message for an unregistered server, a file it cannot read or a foreign widget file.
bool ReadWidget(const std::string& progId, const std::string& widgetFile, const std::string& webPath, Published& out,
                std::string& message);

// A complete page around the widget, and the HTML to paste into a page of one's own.
std::string Page(const Published& widget);
std::string Fragment(const Published& widget);

}  // namespace snippo::publish
