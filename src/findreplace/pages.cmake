# The Find and Find And Replace pages (Qt Widgets), included by the top-level CMakeLists.txt.
add_library(qv_findreplace_pages STATIC
  ${CMAKE_CURRENT_LIST_DIR}/FindAndReplaceDlg.cpp ${CMAKE_CURRENT_LIST_DIR}/FindAndReplaceDlg.h
  ${CMAKE_CURRENT_LIST_DIR}/FindAndReplaceRules.cpp ${CMAKE_CURRENT_LIST_DIR}/FindAndReplaceRules.h
)
set_target_properties(qv_findreplace_pages PROPERTIES AUTOMOC ON)
target_link_libraries(qv_findreplace_pages PUBLIC qv_findreplace qv_ui qv_settings)
