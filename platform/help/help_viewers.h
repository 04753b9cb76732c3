// The two ways help is shown, behind WinHelp: Qt Assistant in a process of its own (contents,
// index and full-text search, never blocked by the program's modal dialogs), or, where
// Assistant cannot be used, a window inside the process.
#pragma once

#include "platform/help/help.h"

#include <QString>

#include <cstdint>
#include <string>

class QWidget;

namespace snippo::helpview {

// A topic as one HTML fragment: its title as a heading, then its paragraphs.
QString TopicHtml(const HelpTopic& topic);

// --- the window in the process ---------------------------------------------------------------
void ShowInWindow(QWidget* owner, const std::string& helpFile, std::uint32_t command, std::uintptr_t data);
void CloseWindow();
QWidget* Window();
std::uint32_t WindowContext();

// --- Qt Assistant ----------------------------------------------------------------------------
// The Assistant program to use, or empty for the window. SNIPPO_HELP_VIEWER chooses: "window"
// for the window, any other text names the program. Otherwise Assistant is used when it and
// the help generator are installed and the program has a real screen (an offscreen or minimal
// platform has none that another process could show on).
QString AssistantProgram();
// Builds the help collection of `helpFile` when its topics changed, starts Assistant on it
// when it is not running, and sends it the commands. False when the collection cannot be
// built or the program does not start; the caller then uses the window.
bool ShowInAssistant(const QString& program, const std::string& helpFile, std::uint32_t command, std::uintptr_t data);
void QuitAssistants();
std::uint32_t AssistantContext();

}  // namespace snippo::helpview
