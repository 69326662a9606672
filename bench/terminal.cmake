# The communications test window under a minute of mxsim's stream, and the shim that lets another
# serial terminal be measured on the same pseudo-terminal. bench/comtest_stream.sh runs both on a
# virtual display; the program's name keeps it out of `make bench`, which has no display.
add_library(modemline_shim SHARED ${CMAKE_CURRENT_LIST_DIR}/modemline_shim.cpp)
target_link_libraries(modemline_shim PRIVATE ${CMAKE_DL_LIBS})
mx_warnings(modemline_shim)

if(TARGET mx_terminal_window)
  add_executable(comtest_stream ${CMAKE_CURRENT_LIST_DIR}/comtest_stream.cpp)
  target_link_libraries(comtest_stream PRIVATE mx_terminal_window mx_sim)
  target_include_directories(comtest_stream PRIVATE ${PROJECT_SOURCE_DIR}
                                                          ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(comtest_stream PRIVATE MX_BINARY_DIR="${PROJECT_BINARY_DIR}")
  mx_warnings(comtest_stream)
  add_dependencies(comtest_stream mxsim)
endif()
