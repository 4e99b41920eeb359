target_sources(fibu_grid PRIVATE placeholder.cpp)
