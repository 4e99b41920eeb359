# Import dialogs offscreen, and build/bin/fibu -IN without a display.
fibu_add_test(NAME tst_tfm_import SOURCES ${CMAKE_CURRENT_LIST_DIR}/shell_import/tst_tfm_import.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shell_import/importwelt.h ${CMAKE_CURRENT_LIST_DIR}/shell_import/wegklicker.h
  LIBS fibu_shell GUI)
fibu_add_test(NAME tst_tfm_stammdialoge SOURCES ${CMAKE_CURRENT_LIST_DIR}/shell_import/tst_tfm_stammdialoge.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shell_import/importwelt.h ${CMAKE_CURRENT_LIST_DIR}/shell_import/wegklicker.h
  LIBS fibu_shell GUI)
fibu_add_test(NAME tst_fibu_import SOURCES ${CMAKE_CURRENT_LIST_DIR}/shell_import/tst_fibu_import.cpp
  LIBS fibu_dataaccess)
add_dependencies(tst_fibu_import fibu fibu_resources)
