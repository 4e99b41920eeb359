# Tables over SQL: statement texts, index metadata, keys, ranges and posting.
target_sources(fibu_dataaccess PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/tablesql.h ${CMAKE_CURRENT_LIST_DIR}/tablesql.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tablemetadata.h ${CMAKE_CURRENT_LIST_DIR}/tablemetadata.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tqemtable.h ${CMAKE_CURRENT_LIST_DIR}/tqemtable.cpp
)
