// The 16 x 16 pictures of the palette's buttons, drawn in code.
#pragma once

#include <QIcon>
#include <QImage>

namespace snippo {

// The picture of an editor command; a null image for a command without one.
QImage PaletteIconImage(int commandId);
QIcon PaletteIcon(int commandId);

}  // namespace snippo
