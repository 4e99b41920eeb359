fibu_add_test(NAME tst_kommandozeile SOURCES ${CMAKE_CURRENT_LIST_DIR}/shell_main/tst_kommandozeile.cpp LIBS fibu_shell)
fibu_add_test(NAME tst_warten_fehler SOURCES ${CMAKE_CURRENT_LIST_DIR}/shell_main/tst_warten_fehler.cpp LIBS fibu_shell GUI)
fibu_add_test(NAME tst_unbeaufsichtigt SOURCES ${CMAKE_CURRENT_LIST_DIR}/shell_main/tst_unbeaufsichtigt.cpp LIBS fibu_shell)
fibu_add_test(NAME tst_tfm_haupt SOURCES ${CMAKE_CURRENT_LIST_DIR}/shell_main/tst_tfm_haupt.cpp LIBS fibu_shell GUI)
# Runs build/bin/fibu itself, without a display.
fibu_add_test(NAME tst_fibu_ohne_bildschirm SOURCES ${CMAKE_CURRENT_LIST_DIR}/shell_main/tst_fibu_ohne_bildschirm.cpp LIBS Qt6::Sql)
add_dependencies(tst_fibu_ohne_bildschirm fibu fibu_resources)
