# Settings, paths, helper library, local database and structure check.
target_sources(fibu_store PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/einstellungen.h
  ${CMAKE_CURRENT_LIST_DIR}/einstellungen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hilfsfunktionen.h
  ${CMAKE_CURRENT_LIST_DIR}/inidatei.h
  ${CMAKE_CURRENT_LIST_DIR}/inidatei.cpp
  ${CMAKE_CURRENT_LIST_DIR}/listenleser.h
  ${CMAKE_CURRENT_LIST_DIR}/listenleser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lokaledatenbank.h
  ${CMAKE_CURRENT_LIST_DIR}/lokaledatenbank.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registry.h
  ${CMAKE_CURRENT_LIST_DIR}/registry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rtfzutext.h
  ${CMAKE_CURRENT_LIST_DIR}/rtfzutext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/steuersatz.h
  ${CMAKE_CURRENT_LIST_DIR}/steuersatz.cpp
  ${CMAKE_CURRENT_LIST_DIR}/strukturcheck.h
  ${CMAKE_CURRENT_LIST_DIR}/strukturcheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texte.h
  ${CMAKE_CURRENT_LIST_DIR}/texte.cpp
  ${CMAKE_CURRENT_LIST_DIR}/verzeichnisse.h
  ${CMAKE_CURRENT_LIST_DIR}/verzeichnisse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zahlen.h
  ${CMAKE_CURRENT_LIST_DIR}/zahlen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zeichensatz.h
  ${CMAKE_CURRENT_LIST_DIR}/zeichensatz.cpp
)
