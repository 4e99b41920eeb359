# Export engine: DATEV EXTF files, the plain text export, the export mark and the run.
target_sources(fibu_export PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/exporterror.h
  ${CMAKE_CURRENT_LIST_DIR}/ansitextwriter.h
  ${CMAKE_CURRENT_LIST_DIR}/ansitextwriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/extfformat.h
  ${CMAKE_CURRENT_LIST_DIR}/extfformat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exportoptionen.h
  ${CMAKE_CURRENT_LIST_DIR}/exportoptionen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/statuszeilen.h
  ${CMAKE_CURRENT_LIST_DIR}/statuszeilen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/verzeichnispruefung.h
  ${CMAKE_CURRENT_LIST_DIR}/verzeichnispruefung.cpp
  ${CMAKE_CURRENT_LIST_DIR}/buchungsauswahl.h
  ${CMAKE_CURRENT_LIST_DIR}/buchungsauswahl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exportmarkierung.h
  ${CMAKE_CURRENT_LIST_DIR}/exportmarkierung.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wawinachschlag.h
  ${CMAKE_CURRENT_LIST_DIR}/wawinachschlag.cpp
  ${CMAKE_CURRENT_LIST_DIR}/extfexport.h
  ${CMAKE_CURRENT_LIST_DIR}/extfexport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ascexport.h
  ${CMAKE_CURRENT_LIST_DIR}/ascexport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exporteinstellungen.h
  ${CMAKE_CURRENT_LIST_DIR}/exporteinstellungen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exportlauf.h
  ${CMAKE_CURRENT_LIST_DIR}/exportlauf.cpp
)
