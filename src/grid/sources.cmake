target_sources(fibu_grid PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/gridcolumns.h
  ${CMAKE_CURRENT_LIST_DIR}/gridcolumns.cpp
  ${CMAKE_CURRENT_LIST_DIR}/displayformat.h
  ${CMAKE_CURRENT_LIST_DIR}/displayformat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sqlpagemodel.h
  ${CMAKE_CURRENT_LIST_DIR}/sqlpagemodel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/datasetmodel.h
  ${CMAKE_CURRENT_LIST_DIR}/datasetmodel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unicodeupper.h
  ${CMAKE_CURRENT_LIST_DIR}/unicodeupper.cpp
)
find_package(SQLite3 REQUIRED)
target_link_libraries(fibu_grid PRIVATE SQLite::SQLite3)
