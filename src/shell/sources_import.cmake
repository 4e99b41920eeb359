# Import dialogs: the document import, the VAT account table and the account translator, and
# the entry points of the main window and the unattended start.
target_sources(fibu_shell PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/entries_import.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fensterabwarten.h
  ${CMAKE_CURRENT_LIST_DIR}/fensterabwarten.cpp
  ${CMAKE_CURRENT_LIST_DIR}/datensatznavigator.h
  ${CMAKE_CURRENT_LIST_DIR}/datensatznavigator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zahlendelegate.h
  ${CMAKE_CURRENT_LIST_DIR}/zahlendelegate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tfm_import.h
  ${CMAKE_CURRENT_LIST_DIR}/tfm_import.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tfm_mwstein.h
  ${CMAKE_CURRENT_LIST_DIR}/tfm_mwstein.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tfm_tranlater.h
  ${CMAKE_CURRENT_LIST_DIR}/tfm_tranlater.cpp
)
