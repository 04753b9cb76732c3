// The program's pictures, drawn in code: the program icon and the 16 by 16 tool-bar buttons.
#pragma once

#include <QIcon>

namespace snippo::icons {

QIcon Program();
QIcon FileNew();
QIcon FileOpen();
QIcon FileSave();
QIcon SaveAsTemplate();
QIcon Configure();
QIcon Preview();
QIcon WorkWithTessaly();

}  // namespace snippo::icons
