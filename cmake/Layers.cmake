# The layers of the program, kept by the build: the core and the report
# library never include a window header, the core nothing of the reports, and
# each is checked before it is compiled (CheckIncludes.cmake), so that such an
# include fails the build.
include(${CMAKE_CURRENT_LIST_DIR}/IncludeRules.cmake)

# The include folders of the named Qt modules (…/qt6/QtWidgets, …).
function(ulk_qt_module_dirs out)
  set(dirs)
  foreach(module IN LISTS ARGN)
    get_target_property(includes Qt6::${module} INTERFACE_INCLUDE_DIRECTORIES)
    list(FILTER includes INCLUDE REGEX "/Qt${module}$")
    list(APPEND dirs ${includes})
  endforeach()
  set(${out} ${dirs} PARENT_SCOPE)
endfunction()

ulk_qt_module_dirs(ULK_WIDGET_DIRS Widgets PrintSupport)
ulk_qt_module_dirs(ULK_OTHER_DIRS Core Gui Sql Test)
if(NOT ULK_WIDGET_DIRS OR NOT ULK_OTHER_DIRS)
  message(FATAL_ERROR "The include folders of Qt's modules are not known: the layers cannot be checked.")
endif()

# ulk_check_includes(<target> NAME <what> FILES <file>... [NO_WINDOWS]
#                    [FORBIDDEN <regex> REASON <why>])
# Reads the files' #include lines before <target> is built and fails the
# build on a window header (NO_WINDOWS) or an included path matching FORBIDDEN.
function(ulk_check_includes target)
  cmake_parse_arguments(arg "NO_WINDOWS" "NAME;FORBIDDEN;REASON" "FILES" ${ARGN})
  string(MAKE_C_IDENTIFIER "${arg_NAME}" id)
  set(list ${CMAKE_BINARY_DIR}/includes/${id}.cmake)
  set(stamp ${CMAKE_BINARY_DIR}/includes/${id}.checked)
  set(files)
  foreach(file IN LISTS arg_FILES)
    get_filename_component(file ${file} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND files ${file})
  endforeach()
  set(noWindows FALSE)
  if(arg_NO_WINDOWS)
    set(noWindows TRUE)
  endif()
  string(CONCAT content
    "set(NAME [==[${arg_NAME}]==])\n"
    "set(FILES [==[${files}]==])\n"
    "set(NO_WINDOWS ${noWindows})\n"
    "set(WIDGET_DIRS [==[${ULK_WIDGET_DIRS}]==])\n"
    "set(OTHER_DIRS [==[${ULK_OTHER_DIRS}]==])\n"
    "set(FORBIDDEN [==[${arg_FORBIDDEN}]==])\n"
    "set(REASON [==[${arg_REASON}]==])\n")
  file(CONFIGURE OUTPUT ${list} CONTENT "${content}" @ONLY)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DLIST=${list} -DSTAMP=${stamp}
            -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/CheckIncludes.cmake
    DEPENDS ${files} ${list} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/CheckIncludes.cmake
            ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/IncludeRules.cmake
    COMMENT "Checking the includes of ${arg_NAME}"
    VERBATIM)
  add_custom_target(${id}_includes DEPENDS ${stamp})
  add_dependencies(${target} ${id}_includes)
endfunction()
