// Loading and saving a widget: the sequences that run between the widget file and the model.
#pragma once

#include <string>

#include "widget/model/applet_parameters.h"
#include "widget/model/widget_config.h"

namespace snippo {

inline constexpr const char* kGlimButtonProgID = "SnippoServer.GlimButton";

// The folder of a file path with its trailing '/'; empty (the current folder) when the path
// names no folder.
std::string DirectoryOf(const std::string& path);

// Regenerates the record from the model (copying the support files into the file's folder,
// with `handler` deciding name clashes) and writes the file. Returns the writer's result.
bool WriteConfigFile(CWidgetConfig& config, CAppletParameters& params, const std::string& path,
                     ResourceConflictHandler* handler);

// Reads the file into the record and, when the file belongs to this widget, the model.
// FALSE only when the file cannot be read. `applied` tells whether the model was read.
bool ReadConfigFile(CWidgetConfig& config, CAppletParameters& params, const std::string& path, bool* applied = nullptr);

}  // namespace snippo
