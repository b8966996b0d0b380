# Unit tests of the code that needs no Windows (run under Wine and natively).
set(SORVANDA_UNIT_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/unit/catalog_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/shell_values_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/exclude_lines_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/exclude_tests_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/profile_text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/version_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/item_tree_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/records_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/result_session_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/summary_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/utf_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/store_text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/shell_items_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/settings_lists_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/community_rules_test.cpp
)
