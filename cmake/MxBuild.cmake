# Project-wide build helpers: warnings, sanitizers, tests.

if(MX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# libFuzzer needs coverage instrumentation in every library the targets reach, not only in fuzz/.
if(MX_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Warnings are errors on our own code only; Qt's and GoogleTest's headers come in as system headers.
# Every layer, the windows included, also rejects silent narrowing and sign changes, shadowed names
# and C casts: the code handles outside bytes, image offsets and counts, where those hide faults.
function(mx_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror -Wshadow -Wconversion
                                           -Wsign-conversion -Wold-style-cast)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 at -O3 reports std::string copies inside libstdc++ as overlapping (a known false
    # positive); keep it a warning so optimised builds do not fail on the library's own code.
    target_compile_options(${target} PRIVATE -Wno-error=restrict)
  endif()
endfunction()

# mx_library(name FOLDER_SOURCES... LIBS ...): one static library per layer folder.
function(mx_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  mx_warnings(${name})
endfunction()

# mx_test(name SOURCES ... LIBS ... [GUI] [QT_MAIN]): a GoogleTest executable registered with CTest.
#   GUI      runs it on Qt's offscreen platform with a private runtime folder.
#   QT_MAIN  links tests/support/QtTestMain.cpp, which creates a QApplication/QCoreApplication.
function(mx_test name)
  cmake_parse_arguments(ARG "GUI;QT_MAIN" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_QT_MAIN OR ARG_GUI)
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/QtTestMain.cpp)
    target_link_libraries(${name} PRIVATE GTest::gtest)
    if(ARG_GUI)
      target_compile_definitions(${name} PRIVATE MX_TEST_GUI=1)
      target_link_libraries(${name} PRIVATE Qt6::Widgets)
    else()
      target_link_libraries(${name} PRIVATE Qt6::Core)
    endif()
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE MX_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                             MX_BINARY_DIR="${PROJECT_BINARY_DIR}")
  mx_warnings(${name})
  set(env "MX_TEST_TMP=${CMAKE_CURRENT_BINARY_DIR}/${name}.tmp")
  if(ARG_GUI)
    list(APPEND env "QT_QPA_PLATFORM=offscreen" "XDG_RUNTIME_DIR=${PROJECT_BINARY_DIR}/xdg-runtime")
    file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/xdg-runtime)
    file(CHMOD ${PROJECT_BINARY_DIR}/xdg-runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()

# mx_fuzz(name SOURCES ... LIBS ...): a fuzz target over outside bytes, with its seed corpus in
# fuzz/corpus/<name>/. With MX_FUZZ it is a libFuzzer binary; otherwise it links a small driver that
# replays the corpus, and CTest runs that replay so every target keeps building and passing its seeds.
function(mx_fuzz name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  mx_warnings(${name})
  if(MX_FUZZ)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz/ReplayMain.cpp)
    set(corpus ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
    if(EXISTS ${corpus})
      add_test(NAME ${name}.replay COMMAND ${name} ${corpus})
    endif()
  endif()
endfunction()

# The layering check (rules in cmake/CheckLayers.cmake) as the CTest test "layering", and a test
# that it still catches each kind of problem in a small tree made for it.
function(mx_layering_tests)
  set(qt_headers "")
  get_target_property(qt_includes Qt6::Core INTERFACE_INCLUDE_DIRECTORIES)
  foreach(dir IN LISTS qt_includes)
    if(dir MATCHES "^(.*)/QtCore$")
      set(qt_headers "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  set(script ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake)
  add_test(NAME layering COMMAND ${CMAKE_COMMAND} -DMX_ROOT=${PROJECT_SOURCE_DIR}
                                 -DMX_QT_HEADERS=${qt_headers} -P ${script})

  set(fixture ${PROJECT_BINARY_DIR}/layering-fixture)
  file(REMOVE_RECURSE ${fixture})
  file(WRITE ${fixture}/core/Up.h "#pragma once\n#include <vector>\n#include \"editor/Frame.h\"\n")
  file(WRITE ${fixture}/notation/Brace.h "")
  file(WRITE ${fixture}/editor/Frame.h
       "#include <QWidget>\n#include \"core/Up.h\"\n#include \"link/Line.h\"\n#include \"notation/Brace.h\"\n")
  file(WRITE ${fixture}/link/Line.h "#include \"core/Up.h\"\n")
  file(WRITE ${fixture}/link/Line.cpp "#include <QtCore>\n#include <QDialog>\n")
  file(WRITE ${fixture}/sim/Fake.h "#include \"link/Line.h\"\n")
  file(WRITE ${fixture}/tests/link/LineTest.cpp
       "#include \"sim/Fake.h\"\n#include \"core/Up.h\"\n#include \"../../editor/Frame.h\"\n")
  add_test(NAME layering.catches_upward_includes
           COMMAND ${CMAKE_COMMAND} -DMX_ROOT=${fixture} -DMX_QT_HEADERS=${qt_headers} -P ${script})
  # Upward, below but not a direct arrow of the row (editor reaches notation only through terminal),
  # a Widgets header in a GUI-free layer, upward from a test, and a row entry nothing uses.
  string(CONCAT caught "core/Up.h:3: includes \"editor/Frame.h\".*"
                       "editor/Frame.h:4: includes \"notation/Brace.h\".*"
                       "link/Line.cpp:2: includes <QDialog>.*"
                       "tests/link/LineTest.cpp:3: includes \"../../editor/Frame.h\" \\(layer editor\\).*"
                       "sim: its row names core, which no file of sim includes.*"
                       "5 problems in the layering")
  set_tests_properties(layering.catches_upward_includes PROPERTIES PASS_REGULAR_EXPRESSION "${caught}")
endfunction()

# Debian's hardening in every optimised build, not only the package's, so what the tests and
# benchmarks measure is what users run. The sanitizer builds leave it out: fortified string functions
# hide the overflows AddressSanitizer is there to catch.
if(NOT MX_SANITIZE)
  include(CheckPIESupported)
  check_pie_supported(LANGUAGES CXX)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  set(mx_optimised "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
  add_compile_options("$<${mx_optimised}:-D_FORTIFY_SOURCE=2;-fstack-protector-strong>")
  add_link_options("$<${mx_optimised}:LINKER:-z,relro,-z,now>")
endif()
