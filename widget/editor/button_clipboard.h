// The editor's private clipboard format "GlimButton Preview": an archive of buttons (their
// count, then each button with its class). On the system clipboard it travels as the MIME
// type below and also under the format name itself (an X11 selection target of that name),
// so that other clients that know the format by its name can exchange buttons with us. Paste
// takes either.
#pragma once

#include <QByteArray>
#include <memory>
#include <vector>

#include "widget/model/draw_obj.h"

namespace snippo {

inline constexpr char kClipboardFormatName[] = "GlimButton Preview";
// The MIME type that carries the "GlimButton Preview" format.
inline constexpr char kClipboardMimeType[] = "application/x-snippo-glimbutton-preview";

QByteArray WriteButtons(const std::vector<CDrawObj*>& objects);
// Throws ArchiveError for damaged or foreign data; nothing read survives the error.
std::vector<std::unique_ptr<CDrawObj>> ReadButtons(const QByteArray& data);

// Replaces the clipboard's contents with the buttons.
void PutButtonsOnClipboard(const std::vector<CDrawObj*>& objects);
bool ClipboardHasButtons();
// The data under our format, or an empty array when there is none.
QByteArray ClipboardButtonData();

}  // namespace snippo
