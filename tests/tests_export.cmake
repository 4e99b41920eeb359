fibu_add_test(NAME tst_extfformat SOURCES ${CMAKE_CURRENT_LIST_DIR}/export/tst_extfformat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/export/extfreader.h LIBS fibu_export)
