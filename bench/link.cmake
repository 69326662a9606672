# The device link's two measurements: processor time while a find waits on a silent line, and a
# read from mxsim pacing its bytes at 9600 baud against the line time of the image.
if(TARGET mx_link AND TARGET mx_sim AND TARGET mxsim)
  add_executable(link_bench ${CMAKE_CURRENT_LIST_DIR}/link_bench.cpp)
  target_link_libraries(link_bench PRIVATE mx_link mx_sim benchmark::benchmark util)
  target_include_directories(link_bench PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(link_bench PRIVATE MXSIM_PATH="$<TARGET_FILE:mxsim>")
  add_dependencies(link_bench mxsim)
  mx_warnings(link_bench)
endif()
