target_sources(fibu_dataaccess PRIVATE placeholder.cpp)
