fibu_add_bench(NAME bench_tablerange SOURCES ${CMAKE_CURRENT_LIST_DIR}/dataaccess_table/bench_tablerange.cpp LIBS fibu_dataaccess)
