# The reversal of a movement of 1,000 level rows against the same per-row
# reads and writes issued bare through the data layer.
add_executable(bench_ripristino bench/stock/bench_ripristino.cpp)
target_link_libraries(bench_ripristino PRIVATE ddt_header ddt_warnings)
