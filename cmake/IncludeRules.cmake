# What an include line names, and whether that is a window header.
# Shared by the build's include check (CheckIncludes.cmake) and by the tests'
# choice of the library they link (tests/CMakeLists.txt).

# The header an #include line names ("a/b.h" or <QWidget>), or "" for
# another line.
function(ulk_included_header line out)
  if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"]")
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

# The headers that a file's #include lines name, in their order.
function(ulk_included_headers file out)
  set(headers)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    ulk_included_header("${line}" header)
    if(NOT header STREQUAL "")
      list(APPEND headers "${header}")
    endif()
  endforeach()
  set(${out} "${headers}" PARENT_SCOPE)
endfunction()

# Whether a header stands in one of the include folders dirs.
function(ulk_header_in header dirs out)
  set(result FALSE)
  foreach(dir IN LISTS dirs)
    if(NOT header STREQUAL "" AND EXISTS "${dir}/${header}")
      set(result TRUE)
    endif()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# Whether a header belongs to the windows: one of the program's headers under
# a ui/ folder, or a header of Qt Widgets or Qt Print Support (<QWidget>,
# <QtWidgets/QDialog>, <QtWidgets>, <qprinter.h>, ...). widgetDirs are the
# include folders of those two Qt modules, otherDirs those of the modules the
# core and the reports may use (a few lower-case headers stand in both).
function(ulk_is_window_header header widgetDirs otherDirs out)
  set(result FALSE)
  if(header MATCHES "(^|/)ui/" OR header MATCHES "^(QtWidgets|QtPrintSupport)(/|$)")
    set(result TRUE)
  else()
    ulk_header_in("${header}" "${widgetDirs}" inWidgets)
    ulk_header_in("${header}" "${otherDirs}" inOthers)
    if(inWidgets AND NOT inOthers)
      set(result TRUE)
    endif()
  endif()
  set(${out} ${result} PARENT_SCOPE)
endfunction()
