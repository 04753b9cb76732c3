# Precompiled headers for the libraries with many translation units that include Qt Widgets:
# parsing those headers is most of the compile time of such a file. The test programs do not
# use one: their files spend their time on the expanded test bodies, so a header of their own
# (10-16 s of CPU to make) costs more than it saves across their ten or so files.

set(snippo_pch_std <algorithm> <functional> <map> <memory> <string> <vector>)
set(snippo_pch_qt <QtCore/QString> <QtCore/QObject> <QtGui/QPainter> <QtWidgets/QApplication>
    <QtWidgets/QWidget> <QtWidgets/QDialog> <QtWidgets/QLabel> <QtWidgets/QPushButton>
    <QtWidgets/QLineEdit> <QtWidgets/QComboBox> <QtWidgets/QBoxLayout> <QtWidgets/QGridLayout>)

# snippo_pch(<target> [QT])
function(snippo_pch target)
  if(NOT SNIPPO_PCH)
    return()
  endif()
  set(headers ${snippo_pch_std})
  if("QT" IN_LIST ARGN)
    list(APPEND headers ${snippo_pch_qt})
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()
