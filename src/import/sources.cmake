target_sources(fibu_import PRIVATE placeholder.cpp)
