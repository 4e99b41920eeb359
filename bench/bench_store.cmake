fibu_add_bench(NAME bench_strukturcheck SOURCES ${CMAKE_CURRENT_LIST_DIR}/store/bench_strukturcheck.cpp LIBS fibu_store)
