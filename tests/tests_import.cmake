fibu_add_test(NAME tst_importregeln SOURCES ${CMAKE_CURRENT_LIST_DIR}/import/tst_importregeln.cpp LIBS fibu_import)
fibu_add_test(NAME tst_importlauf SOURCES ${CMAKE_CURRENT_LIST_DIR}/import/tst_importlauf.cpp ${CMAKE_CURRENT_LIST_DIR}/import/importwelt.h LIBS fibu_import MARIADB)
fibu_add_test(NAME tst_buchungsschreiber SOURCES ${CMAKE_CURRENT_LIST_DIR}/import/tst_buchungsschreiber.cpp ${CMAKE_CURRENT_LIST_DIR}/import/importwelt.h LIBS fibu_import)
