# The level matrix of a 30 x 30 article with 900 stored rows: load and
# cells, and one cell left.
add_executable(bench_livelli bench/levels/bench_livelli.cpp)
target_link_libraries(bench_livelli PRIVATE ddt_header ddt_warnings)
