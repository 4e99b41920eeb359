fibu_add_test(NAME tst_wawischema SOURCES ${CMAKE_CURRENT_LIST_DIR}/dataaccess_schema/tst_wawischema.cpp LIBS fibu_dataaccess MARIADB)
fibu_add_test(NAME tst_demodaten SOURCES ${CMAKE_CURRENT_LIST_DIR}/dataaccess_schema/tst_demodaten.cpp LIBS fibu_dataaccess MARIADB)
fibu_add_test(NAME tst_wawiauswahl SOURCES ${CMAKE_CURRENT_LIST_DIR}/dataaccess_schema/tst_wawiauswahl.cpp LIBS fibu_dataaccess)
fibu_add_test(NAME tst_verbindungstext SOURCES ${CMAKE_CURRENT_LIST_DIR}/dataaccess_schema/tst_verbindungstext.cpp LIBS fibu_dataaccess MARIADB)
