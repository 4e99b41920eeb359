target_sources(fibu_dataaccess PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/wawischema.cpp
)
