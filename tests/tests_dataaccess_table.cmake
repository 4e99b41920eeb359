fibu_add_test(NAME tst_tablesql SOURCES ${CMAKE_CURRENT_LIST_DIR}/dataaccess_table/tst_tablesql.cpp LIBS fibu_dataaccess)
