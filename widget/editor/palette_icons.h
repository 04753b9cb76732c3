// The 16 x 16 pictures of the palette's buttons, drawn in code.
#pragma once

#include <QIcon>
#include <QImage>

#include "widget/editor/editor_commands.h"

namespace snippo {

// The picture of an editor command; a null image for a command without one.
QImage PaletteIconImage(EditorCommand commandId);
QIcon PaletteIcon(EditorCommand commandId);

}  // namespace snippo
