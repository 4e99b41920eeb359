target_sources(fibu_shell PRIVATE entries_journal.cpp)
