# Command-line tools beside the program.
add_executable(fibu-demodb ${CMAKE_CURRENT_LIST_DIR}/tools/fibu_demodb.cpp)
target_link_libraries(fibu-demodb PRIVATE fibu_dataaccess fibu_warnings)
