target_sources(fibu_dataaccess PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/wawischema.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wawiinserter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/demodaten.cpp
  ${CMAKE_CURRENT_LIST_DIR}/benchgenerator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wawiauswahl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/verbindungstext.cpp
)
