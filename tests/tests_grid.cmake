fibu_add_test(NAME tst_sqlpagemodel SOURCES ${CMAKE_CURRENT_LIST_DIR}/grid/tst_sqlpagemodel.cpp LIBS fibu_grid)
