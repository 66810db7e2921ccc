# A 10,000-row, 8-column list laid out and written to PDF; the next preview
# page drawn.
add_executable(bench_stampa ${CMAKE_CURRENT_LIST_DIR}/bench_stampa.cpp)
target_link_libraries(bench_stampa PRIVATE ddt_platform ddt_warnings)
