# What every list offers: sorting, copying and saving its rows.
list(APPEND GLMX_CORE_SOURCES
  src/ui/lists/column_order.cpp
  src/ui/lists/kept_selection.cpp
  src/ui/lists/list_export.cpp
)
list(APPEND GLMX_UNIT_TEST_SOURCES
  tests/unit/column_order_test.cpp
  tests/unit/kept_selection_test.cpp
  tests/unit/list_export_test.cpp
)
