target_sources(fibu_shell PRIVATE placeholder.cpp)
