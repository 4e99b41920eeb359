# Export dialog and the area's entry points.
target_sources(fibu_shell PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/entries_export.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texport_form.h
  ${CMAKE_CURRENT_LIST_DIR}/texport_form.cpp
)
