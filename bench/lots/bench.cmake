# The stock of a lot over 200,000 lot rows and the lot selection list of an
# article with 500 open lots (SQLite, and the server of DDT_PG_CONNECT).
add_executable(bench_lotti ${CMAKE_CURRENT_LIST_DIR}/bench_lotti.cpp)
target_link_libraries(bench_lotti PRIVATE ddt_lots ddt_warnings)
