# The configuration dialog and the Explorer context-menu registration.
list(APPEND GLMX_CORE_SOURCES
  src/shellintegration/configuration_choices.cpp
  src/shellintegration/context_menu_registration.cpp
  src/shellintegration/shell_menu.cpp
)
list(APPEND GLMX_WIN32_SOURCES
  src/ui/mainwindow/configuration_dialog.cpp
)
list(APPEND GLMX_UNIT_TEST_SOURCES
  tests/unit/context_menu_registration_test.cpp
)
list(APPEND GLMX_WIN_TEST_SOURCES
  tests/win/shell_extension_win_test.cpp
)
list(APPEND GLMX_GUI_TEST_SOURCES
  tests/gui/configuration_dialog_gui_test.cpp
)
