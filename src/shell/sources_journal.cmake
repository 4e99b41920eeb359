# Journal view: grid, search, delete rules with the take-back, office exports, help.
target_sources(fibu_shell PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/entries_journal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tfm_buchung.h
  ${CMAKE_CURRENT_LIST_DIR}/tfm_buchung.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tfm_buchungboxen.h
  ${CMAKE_CURRENT_LIST_DIR}/tfm_buchungboxen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tfm_buchunglogic.h
  ${CMAKE_CURRENT_LIST_DIR}/tfm_buchunglogic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tfm_buchungwawi.h
  ${CMAKE_CURRENT_LIST_DIR}/tfm_buchungwawi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/officetable.h
  ${CMAKE_CURRENT_LIST_DIR}/officezipwriter.h
  ${CMAKE_CURRENT_LIST_DIR}/officezipwriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/officedocxwriter.h
  ${CMAKE_CURRENT_LIST_DIR}/officedocxwriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/officexlsxwriter.h
  ${CMAKE_CURRENT_LIST_DIR}/officexlsxwriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/officeexport.h
  ${CMAKE_CURRENT_LIST_DIR}/officeexport.cpp
)
