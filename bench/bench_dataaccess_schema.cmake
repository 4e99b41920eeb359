fibu_add_bench(NAME bench_demodb SOURCES ${CMAKE_CURRENT_LIST_DIR}/dataaccess_schema/bench_demodb.cpp LIBS fibu_dataaccess)
