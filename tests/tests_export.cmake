fibu_add_test(NAME tst_extfformat SOURCES ${CMAKE_CURRENT_LIST_DIR}/export/tst_extfformat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/export/extfreader.h LIBS fibu_export)
fibu_add_test(NAME tst_extfexport SOURCES ${CMAKE_CURRENT_LIST_DIR}/export/tst_extfexport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/export/exportfixture.h ${CMAKE_CURRENT_LIST_DIR}/export/extfreader.h
  LIBS fibu_export)
fibu_add_test(NAME tst_ascexport SOURCES ${CMAKE_CURRENT_LIST_DIR}/export/tst_ascexport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/export/exportfixture.h LIBS fibu_export)
fibu_add_test(NAME tst_exporteinstellungen SOURCES ${CMAKE_CURRENT_LIST_DIR}/export/tst_exporteinstellungen.cpp
  LIBS fibu_export)
fibu_add_test(NAME tst_texport_form SOURCES ${CMAKE_CURRENT_LIST_DIR}/export/tst_texport_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/export/exportfixture.h LIBS fibu_shell GUI)
fibu_add_test(NAME tst_extfwawi SOURCES ${CMAKE_CURRENT_LIST_DIR}/export/tst_extfwawi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/export/exportfixture.h ${CMAKE_CURRENT_LIST_DIR}/export/extfreader.h
  LIBS fibu_export MARIADB)
# The demo database imported, then exported: needs the import engine too.
fibu_add_test(NAME tst_importexport SOURCES ${CMAKE_CURRENT_LIST_DIR}/export/tst_importexport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/import/importwelt.h ${CMAKE_CURRENT_LIST_DIR}/export/extfreader.h
  LIBS fibu_import fibu_export MARIADB)
