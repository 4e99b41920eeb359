target_sources(fibu_export PRIVATE placeholder.cpp)
