# Run by the build (cmake -P) before a library is compiled: fails when one of
# its files includes what its layer may not use. LIST names a file that sets
#   NAME        what is checked, for the message
#   FILES       the sources and headers to read
#   NO_WINDOWS  TRUE: no window header (see IncludeRules.cmake)
#   WIDGET_DIRS, OTHER_DIRS   the Qt include folders that tells them apart
#   FORBIDDEN   a regular expression of included paths that are refused too
#   REASON      why those are refused
# STAMP is written when every include is allowed.
include(${CMAKE_CURRENT_LIST_DIR}/IncludeRules.cmake)
include(${LIST})

set(faults)
foreach(file IN LISTS FILES)
  ulk_included_headers(${file} headers)
  foreach(header IN LISTS headers)
    if(NO_WINDOWS)
      ulk_is_window_header("${header}" "${WIDGET_DIRS}" "${OTHER_DIRS}" window)
      if(window)
        list(APPEND faults "${file}: includes ${header}, a window header")
      endif()
    endif()
    if(NOT FORBIDDEN STREQUAL "" AND header MATCHES "${FORBIDDEN}")
      list(APPEND faults "${file}: includes ${header}: ${REASON}")
    endif()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "${NAME} includes what it may not:\n  ${text}")
endif()
file(TOUCH ${STAMP})
