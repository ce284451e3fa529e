# The help viewer and the release packages.
list(APPEND GLMX_WIN32_SOURCES
  src/ui/mainwindow/help_viewer.cpp
)
