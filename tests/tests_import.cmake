fibu_add_test(NAME tst_importregeln SOURCES ${CMAKE_CURRENT_LIST_DIR}/import/tst_importregeln.cpp LIBS fibu_import)
