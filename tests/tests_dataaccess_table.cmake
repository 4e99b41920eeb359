fibu_add_test(NAME tst_tablesql SOURCES ${CMAKE_CURRENT_LIST_DIR}/dataaccess_table/tst_tablesql.cpp LIBS fibu_dataaccess)
fibu_add_test(NAME tst_tqemtable SOURCES ${CMAKE_CURRENT_LIST_DIR}/dataaccess_table/tst_tqemtable.cpp LIBS fibu_dataaccess MARIADB)
