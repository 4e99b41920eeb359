fibu_add_bench(NAME bench_import SOURCES ${CMAKE_CURRENT_LIST_DIR}/import/bench_import.cpp LIBS fibu_import)
