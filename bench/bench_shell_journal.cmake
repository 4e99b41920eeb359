fibu_add_bench(NAME bench_journalview SOURCES ${CMAKE_CURRENT_LIST_DIR}/shell_journal/bench_journalview.cpp LIBS fibu_shell)
