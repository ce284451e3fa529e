# The help viewer and the release packages.
list(APPEND GLMX_CORE_SOURCES
  src/ui/mainwindow/help_topics.cpp
)
list(APPEND GLMX_WIN32_SOURCES
  src/ui/mainwindow/help_viewer.cpp
)
list(APPEND GLMX_UNIT_TEST_SOURCES
  tests/unit/help_test.cpp
)
