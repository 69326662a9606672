# Every #include points down: fails, naming the file, the include and the rule, when a file includes
# a layer that is not below its own, or when a GUI-free layer includes a Qt Widgets header.
#
#   cmake -DMX_ROOT=<source dir> [-DMX_QT_HEADERS=<Qt's include dir>] -P cmake/CheckLayers.cmake
#
# CTest runs it as the test "layering" in every build.

# Who may include whom. A layer is a folder; its subfolders belong to it unless they have a row of
# their own (editor/frame/ is editor; desktop/widgets/, terminal/window/ and nettest/window/ are
# layers). Each row names exactly the layers that the layer's files include directly: an include of
# anything else fails, and so does a row entry that nothing uses, so the table stays the real graph.
# "*": anything.
set(MX_LAYER_RULES
  "core            :"
  "notation        :"
  "json            : core"
  "link            : core"
  "sim             : link core"
  "sim/net         :"
  "desktop         : notation core"
  "desktop/widgets : desktop"
  "report          : core notation"
  "terminal        : link desktop notation core"
  "terminal/window : terminal report desktop/widgets desktop link notation"
  "editor          : terminal/window terminal report desktop/widgets desktop link core"
  "nettest         : desktop notation core"
  "nettest/window  : nettest desktop/widgets desktop notation"
  "tool            : json report link core"
  "apps            : *"
  "bench           : *"
  "fuzz            : *"
  "tests/support   : *"
)

# tests/<layer> may include everything below <layer> (the closure of its row), <layer> itself and
# tests/support, and these extras: the simulated interface stands in for the hardware in the tests of
# the layers that drive it; a window's tests share the helpers of the tests of its widget-free half.
set(MX_TEST_EXTRAS
  "link            : sim"
  "editor          : sim"
  "terminal        : sim"
  "nettest         : sim/net"
  "nettest/window  : tests/nettest"
)

# No Qt Widgets header in these layers or their tests: the sanitizer build has no Widgets.
set(MX_GUI_FREE core notation json link sim sim/net desktop report terminal nettest tool)

# ------------------------------------------------------------------------------------------------

cmake_minimum_required(VERSION 3.25)

if(NOT MX_ROOT)
  message(FATAL_ERROR "usage: cmake -DMX_ROOT=<source dir> -P CheckLayers.cmake")
endif()
get_filename_component(MX_ROOT "${MX_ROOT}" ABSOLUTE)

# Parses "name : a b c" rows into rule_<name> lists.
set(layers "")
foreach(row IN LISTS MX_LAYER_RULES)
  string(REGEX MATCH "^([^ :]+) *:(.*)$" ignored "${row}")
  set(name "${CMAKE_MATCH_1}")
  string(STRIP "${CMAKE_MATCH_2}" below)
  separate_arguments(below UNIX_COMMAND "${below}")
  list(APPEND layers ${name})
  set(rule_${name} ${below})
endforeach()
foreach(row IN LISTS MX_TEST_EXTRAS)
  string(REGEX MATCH "^([^ :]+) *:(.*)$" ignored "${row}")
  string(STRIP "${CMAKE_MATCH_2}" extra)
  separate_arguments(extra UNIX_COMMAND "${extra}")
  set(extra_${CMAKE_MATCH_1} ${extra})
endforeach()

# allowed_<layer>: its row. closure_<layer>: the transitive closure of its row, for its tests.
foreach(layer IN LISTS layers)
  set(closure ${rule_${layer}})
  set(work ${rule_${layer}})
  while(work)
    list(POP_FRONT work next)
    foreach(below IN LISTS rule_${next})
      if(NOT below IN_LIST closure)
        list(APPEND closure ${below})
        list(APPEND work ${below})
      endif()
    endforeach()
  endwhile()
  set(closure_${layer} ${closure})
  set(allowed_${layer} ${rule_${layer}})
endforeach()
foreach(layer IN LISTS layers)
  if(layer MATCHES "^tests/")
    continue()
  endif()
  list(APPEND layers tests/${layer})
  if("*" IN_LIST closure_${layer})
    set(allowed_tests/${layer} "*")
  else()
    set(allowed_tests/${layer} ${closure_${layer}} ${layer} tests/support ${extra_${layer}})
  endif()
  if(layer IN_LIST MX_GUI_FREE)
    list(APPEND MX_GUI_FREE tests/${layer})
  endif()
endforeach()

# The layer of a path relative to the root: the longest row that is a folder prefix of it.
function(layer_of path out)
  set(best "")
  foreach(layer IN LISTS layers)
    string(LENGTH "${layer}" length)
    string(LENGTH "${best}" bestLength)
    if(path MATCHES "^${layer}/" AND length GREATER bestLength)
      set(best "${layer}")
    endif()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

# Qt Widgets headers: every file in QtWidgets/ that QtGui and QtCore do not also have (Qt 6 keeps
# forwarding copies of qaction.h and a few others there).
set(widgets_headers QWidget QDialog QApplication QMainWindow)
if(MX_QT_HEADERS AND IS_DIRECTORY "${MX_QT_HEADERS}/QtWidgets")
  file(GLOB widgets_headers RELATIVE "${MX_QT_HEADERS}/QtWidgets" "${MX_QT_HEADERS}/QtWidgets/*")
  file(GLOB shared RELATIVE "${MX_QT_HEADERS}/QtGui" "${MX_QT_HEADERS}/QtGui/*")
  file(GLOB core RELATIVE "${MX_QT_HEADERS}/QtCore" "${MX_QT_HEADERS}/QtCore/*")
  list(APPEND shared ${core})
  list(REMOVE_ITEM widgets_headers ${shared})
endif()

# Sources: every folder of the root but hidden ones and build trees.
file(GLOB tops RELATIVE "${MX_ROOT}" "${MX_ROOT}/*")
set(files "")
foreach(top IN LISTS tops)
  if(top MATCHES "^\\." OR NOT IS_DIRECTORY "${MX_ROOT}/${top}"
     OR EXISTS "${MX_ROOT}/${top}/CMakeCache.txt")
    continue()
  endif()
  file(GLOB_RECURSE found RELATIVE "${MX_ROOT}" "${MX_ROOT}/${top}/*.cpp" "${MX_ROOT}/${top}/*.h")
  list(APPEND files ${found})
endforeach()
list(SORT files)

set(problems 0)
set(checked 0)
foreach(file IN LISTS files)
  layer_of("${file}" own)
  if(own STREQUAL "")
    message("${file}: its folder has no row in the layer rules of cmake/CheckLayers.cmake")
    math(EXPR problems "${problems} + 1")
    continue()
  endif()
  set(has_files_${own} TRUE)
  get_filename_component(dir "${file}" DIRECTORY)
  file(READ "${MX_ROOT}/${file}" content)
  set(content "\n${content}")
  string(REGEX MATCHALL "\n[ \t]*#[ \t]*include[ \t]*[<\"][^>\"\n]+[>\"]" includes "${content}")
  set(offset 0)
  set(line 0)
  foreach(include IN LISTS includes)
    # The line number: newlines up to and including the one that starts this match.
    string(SUBSTRING "${content}" ${offset} -1 rest)
    string(FIND "${rest}" "${include}" at)
    math(EXPR upTo "${at} + 1")
    string(SUBSTRING "${rest}" 0 ${upTo} before)
    string(REGEX MATCHALL "\n" newlines "${before}")
    list(LENGTH newlines count)
    math(EXPR line "${line} + ${count}")
    math(EXPR offset "${offset} + ${upTo}")

    string(REGEX MATCH "([<\"])([^>\"]+)" ignored "${include}")
    set(quote "${CMAKE_MATCH_1}")
    set(name "${CMAKE_MATCH_2}")
    math(EXPR checked "${checked} + 1")
    # Resolved as the compiler does: beside the file (quotes only), then the include directories.
    set(target "")
    set(candidates "${MX_ROOT}/${name}" "${MX_ROOT}/tests/${name}")
    if(quote STREQUAL "\"")
      list(PREPEND candidates "${MX_ROOT}/${dir}/${name}")
    endif()
    foreach(candidate IN LISTS candidates)
      if(EXISTS "${candidate}" AND NOT IS_DIRECTORY "${candidate}")
        get_filename_component(target "${candidate}" ABSOLUTE)
        file(RELATIVE_PATH target "${MX_ROOT}" "${target}")
        break()
      endif()
    endforeach()

    if(target STREQUAL "")
      # Not ours (the standard library, Qt, a generated file): only the Widgets rule applies.
      if(own IN_LIST MX_GUI_FREE AND (name MATCHES "^QtWidgets(/|$)" OR name IN_LIST widgets_headers))
        if(quote STREQUAL "<")
          set(shown "<${name}>")
        else()
          set(shown "\"${name}\"")
        endif()
        message("${file}:${line}: includes ${shown}, a Qt Widgets header, in GUI-free ${own} "
                "(MX_GUI_FREE in cmake/CheckLayers.cmake)")
        math(EXPR problems "${problems} + 1")
      endif()
      continue()
    endif()
    layer_of("${target}" theirs)
    list(APPEND used_${own} "${theirs}")
    if(theirs STREQUAL own OR "*" IN_LIST allowed_${own} OR theirs IN_LIST allowed_${own})
      continue()
    endif()
    if(own MATCHES "^tests/(.*)$")
      set(rule "${own} may include what is below ${CMAKE_MATCH_1}, ${CMAKE_MATCH_1} and tests/support")
      if(extra_${CMAKE_MATCH_1})
        string(REPLACE ";" " " extras "${extra_${CMAKE_MATCH_1}}")
        string(APPEND rule ", and ${extras}")
      endif()
    else()
      string(REPLACE ";" " " below "${rule_${own}}")
      string(STRIP "${own} : ${below}" rule)
    endif()
    if(theirs STREQUAL "")
      set(theirs "no layer")
    endif()
    message("${file}:${line}: includes \"${name}\" (layer ${theirs}), which is not in the row of ${own} "
            "(rule \"${rule}\" in cmake/CheckLayers.cmake)")
    math(EXPR problems "${problems} + 1")
  endforeach()
endforeach()

# The other direction: a row entry that no file of the layer includes makes the table claim an arrow
# the code does not have. Judged only where both layers have files, so a partial tree can be checked.
foreach(layer IN LISTS layers)
  if(layer MATCHES "^tests/" OR NOT has_files_${layer} OR "*" IN_LIST rule_${layer})
    continue()
  endif()
  foreach(below IN LISTS rule_${layer})
    if(has_files_${below} AND NOT below IN_LIST used_${layer})
      message("${layer}: its row names ${below}, which no file of ${layer} includes "
              "(MX_LAYER_RULES in cmake/CheckLayers.cmake)")
      math(EXPR problems "${problems} + 1")
    endif()
  endforeach()
endforeach()

list(LENGTH files fileCount)
if(problems GREATER 0)
  message(FATAL_ERROR "${problems} problems in the layering (${fileCount} files checked)")
endif()
message(STATUS "layering: ${checked} includes in ${fileCount} files point down")
