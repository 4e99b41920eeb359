target_sources(fibu_shell PRIVATE areaentries.h placeholder.cpp)
