// The topics of the program's help file, by context number: HID_BASE_COMMAND + command for
// menu items and tool-bar buttons, HID_BASE_RESOURCE + window for the main window and dialogs.
#pragma once

#include "platform/help/help.h"

#include <QString>

#include <vector>

namespace snippo {

std::vector<HelpTopic> HostHelpTopics();
void RegisterHostHelp(const QString& helpFile);

}  // namespace snippo
