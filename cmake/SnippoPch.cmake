# Precompiled headers for the targets with many translation units that include Qt Widgets
# or GoogleTest: parsing those headers is most of the compile time of such a file.

set(snippo_pch_std <algorithm> <functional> <map> <memory> <string> <vector>)
set(snippo_pch_qt <QtCore/QString> <QtCore/QObject> <QtGui/QPainter> <QtWidgets/QApplication>
    <QtWidgets/QWidget> <QtWidgets/QDialog> <QtWidgets/QLabel> <QtWidgets/QPushButton>
    <QtWidgets/QLineEdit> <QtWidgets/QComboBox> <QtWidgets/QBoxLayout> <QtWidgets/QGridLayout>)

# snippo_pch(<target> QT|GTEST...)
function(snippo_pch target)
  if(NOT SNIPPO_PCH)
    return()
  endif()
  set(headers ${snippo_pch_std})
  if("QT" IN_LIST ARGN)
    list(APPEND headers ${snippo_pch_qt})
  endif()
  if("GTEST" IN_LIST ARGN)
    list(APPEND headers <gtest/gtest.h>)
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()
