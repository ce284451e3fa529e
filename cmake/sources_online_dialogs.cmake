# The dialogs of the online panel: the search sites and the internet address.
list(APPEND GLMX_CORE_SOURCES
  src/info/search_site_grid.cpp
)
list(APPEND GLMX_WIN32_SOURCES
  src/ui/mainwindow/internet_address_dialog.cpp
  src/ui/mainwindow/search_sites_dialog.cpp
  src/ui/win32/modal_dialog.cpp
)
list(APPEND GLMX_UNIT_TEST_SOURCES
  tests/unit/search_site_grid_test.cpp
)
list(APPEND GLMX_GUI_TEST_SOURCES
  tests/gui/online_dialogs_gui_test.cpp
)
