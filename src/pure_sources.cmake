# The code that needs no Windows: records, catalog, trees, exclusion lines and
# tests, text cutting, versions, summary texts. Built into the program and, on
# Linux, with sanitizers and fuzzers.
set(SORVANDA_PURE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/model/catalog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model/tree_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model/item_tree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model/scan_session.cpp
  ${CMAKE_CURRENT_LIST_DIR}/base/text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model/summary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model/result_items.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model/result_rows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model/result_session.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model/version.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model/shell_values.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exclude/exclude_lines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exclude/exclude_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exclude/exclude_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scan/profile_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scan/store_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/base/utf.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scan/shell_items.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scan/recycled_info.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scan/settings_lists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scan/community_rules.cpp
)
