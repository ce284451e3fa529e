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
list(APPEND GLMX_WIN32_SOURCES
  src/ui/mainwindow/save_list.cpp
  src/ui/win32/list_view_rows.cpp
)
list(APPEND GLMX_WIN_TEST_SOURCES
  tests/win/list_view_rows_win_test.cpp
)
list(APPEND GLMX_GUI_TEST_SOURCES
  tests/gui/list_features_gui_test.cpp
)
