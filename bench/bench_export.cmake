fibu_add_bench(NAME bench_export SOURCES ${CMAKE_CURRENT_LIST_DIR}/export/bench_export.cpp LIBS fibu_export)
