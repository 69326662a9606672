# Display throughput of LinkTest_Network's traffic pane (needs Widgets and the simulated interface).
if(MX_GUI)
  add_executable(nettest_display_bench nettest_display_bench.cpp)
  target_link_libraries(nettest_display_bench PRIVATE mx_nettest_window mx_simnet benchmark::benchmark)
  target_include_directories(nettest_display_bench PRIVATE ${PROJECT_SOURCE_DIR})
  mx_warnings(nettest_display_bench)
endif()
