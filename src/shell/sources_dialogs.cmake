# Small dialogs: cost centre, filter expression, the two query windows.
target_sources(fibu_shell PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/tfm_kostenstelle.h
  ${CMAKE_CURRENT_LIST_DIR}/tfm_kostenstelle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tfm_filter.h
  ${CMAKE_CURRENT_LIST_DIR}/tfm_filter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tfm_sqlfenster.h
  ${CMAKE_CURRENT_LIST_DIR}/tfm_sqlfenster.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tfm_sql.h
  ${CMAKE_CURRENT_LIST_DIR}/tfm_sql.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tfm_bdesql.h
  ${CMAKE_CURRENT_LIST_DIR}/tfm_bdesql.cpp
)
