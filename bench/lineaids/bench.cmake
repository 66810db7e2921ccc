# A reader file of 1,000 records imported through the line window.
add_executable(bench_lineaids bench/lineaids/bench_lineaids.cpp)
target_include_directories(bench_lineaids PRIVATE "${CMAKE_SOURCE_DIR}/src")
target_link_libraries(bench_lineaids PRIVATE ddt_header ddt_warnings)
