fibu_add_bench(NAME bench_hauptfenster SOURCES ${CMAKE_CURRENT_LIST_DIR}/shell_main/bench_hauptfenster.cpp LIBS fibu_shell Qt6::Test)
