# The configuration dialog and the Explorer context-menu registration.
list(APPEND GLMX_WIN32_SOURCES
  src/ui/mainwindow/configuration_dialog.cpp
)
