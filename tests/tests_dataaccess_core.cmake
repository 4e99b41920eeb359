fibu_add_test(NAME tst_dialect SOURCES ${CMAKE_CURRENT_LIST_DIR}/dataaccess_core/tst_dialect.cpp LIBS fibu_dataaccess)
fibu_add_test(NAME tst_connection SOURCES ${CMAKE_CURRENT_LIST_DIR}/dataaccess_core/tst_connection.cpp LIBS fibu_dataaccess)
fibu_add_test(NAME tst_dataset_sqlite SOURCES ${CMAKE_CURRENT_LIST_DIR}/dataaccess_core/tst_dataset_sqlite.cpp LIBS fibu_dataaccess)
fibu_add_test(NAME tst_query_mariadb SOURCES ${CMAKE_CURRENT_LIST_DIR}/dataaccess_core/tst_query_mariadb.cpp LIBS fibu_dataaccess MARIADB)
