fibu_add_test(NAME tst_feedback SOURCES ${CMAKE_CURRENT_LIST_DIR}/store/tst_feedback.cpp LIBS fibu_store)
fibu_add_test(NAME tst_mariadb_fixture SOURCES ${CMAKE_CURRENT_LIST_DIR}/store/tst_mariadb_fixture.cpp LIBS fibu_store MARIADB)
fibu_add_test(NAME tst_strukturcheck SOURCES ${CMAKE_CURRENT_LIST_DIR}/store/tst_strukturcheck.cpp
              ${CMAKE_CURRENT_LIST_DIR}/store/recordingfeedback.h LIBS fibu_store)
fibu_add_test(NAME tst_hilfsfunktionen SOURCES ${CMAKE_CURRENT_LIST_DIR}/store/tst_hilfsfunktionen.cpp LIBS fibu_store)
fibu_add_test(NAME tst_einstellungen SOURCES ${CMAKE_CURRENT_LIST_DIR}/store/tst_einstellungen.cpp
              ${CMAKE_CURRENT_LIST_DIR}/store/recordingfeedback.h LIBS fibu_store)
