# Checks the translation template that the build wrote: texts of the widget library's editor,
# dialogs and command table are there under their classes, and nothing is translated yet.
file(READ ${TEMPLATE} ts)
foreach(expected
    "<name>snippo::CDlgCopyResources</name>"
    "<source>Please select a file to rename first!</source>"
    "<name>IntegerField</name>"
    "<source>Please enter an integer between %1 and %2.</source>"
    "<name>EditorCommand</name>"
    "<source>Evenly spaces the selected buttons vertical\nSpace Down(Alt+Up Arrow)</source>"
    "<source>The buttons on the Clipboard cannot be read: %1\nNothing was pasted.</source>"
    "<source>Hint </source>")
  string(FIND "${ts}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${TEMPLATE} lacks ${expected}")
  endif()
endforeach()
string(REGEX MATCHALL "<translation[^>]*>[^<]+</translation>" translated "${ts}")
if(translated)
  list(GET translated 0 first)
  message(FATAL_ERROR "${TEMPLATE} is not empty: ${first}")
endif()
string(REGEX MATCHALL "<message>" messages "${ts}")
list(LENGTH messages count)
message(STATUS "${count} texts in the template")
