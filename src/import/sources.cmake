# Document import: selection, slot building, personal accounts, VAT accounts, booking writer, run.
target_sources(fibu_import PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/importmodus.h
  ${CMAKE_CURRENT_LIST_DIR}/feldwerte.h
  ${CMAKE_CURRENT_LIST_DIR}/feldwerte.cpp
  ${CMAKE_CURRENT_LIST_DIR}/steuerregeln.h
  ${CMAKE_CURRENT_LIST_DIR}/steuerregeln.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mwsttabelle.h
  ${CMAKE_CURRENT_LIST_DIR}/mwsttabelle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mwsteintabelle.h
  ${CMAKE_CURRENT_LIST_DIR}/mwsteintabelle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/buchungsslots.h
  ${CMAKE_CURRENT_LIST_DIR}/buchungsslots.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stammdaten.h
  ${CMAKE_CURRENT_LIST_DIR}/stammdaten.cpp
  ${CMAKE_CURRENT_LIST_DIR}/slotaufbau.h
  ${CMAKE_CURRENT_LIST_DIR}/slotaufbau.cpp
  ${CMAKE_CURRENT_LIST_DIR}/buchungstext.h
  ${CMAKE_CURRENT_LIST_DIR}/buchungstext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/personenkontoregel.h
  ${CMAKE_CURRENT_LIST_DIR}/personenkontoregel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/belegauswahl.h
  ${CMAKE_CURRENT_LIST_DIR}/belegauswahl.cpp
)
target_sources(fibu_import PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/buchungsschreiber.h
  ${CMAKE_CURRENT_LIST_DIR}/buchungsschreiber.cpp
  ${CMAKE_CURRENT_LIST_DIR}/journaltransaktion.h
  ${CMAKE_CURRENT_LIST_DIR}/journaltransaktion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/journalschreibmodus.h
  ${CMAKE_CURRENT_LIST_DIR}/journalschreibmodus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/importoptionen.h
  ${CMAKE_CURRENT_LIST_DIR}/importoptionen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wawileser.h
  ${CMAKE_CURRENT_LIST_DIR}/wawileser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/importlauf.h
  ${CMAKE_CURRENT_LIST_DIR}/importlauf.cpp
)
