fibu_add_test(NAME tst_kommandozeile SOURCES ${CMAKE_CURRENT_LIST_DIR}/shell_main/tst_kommandozeile.cpp LIBS fibu_shell)
fibu_add_test(NAME tst_warten_fehler SOURCES ${CMAKE_CURRENT_LIST_DIR}/shell_main/tst_warten_fehler.cpp LIBS fibu_shell GUI)
