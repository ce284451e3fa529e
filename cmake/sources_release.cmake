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
# The release tests, once the Windows test targets they build on exist.
if(CMAKE_SYSTEM_NAME STREQUAL "Windows" AND NOT GLMX_THREAD_MODEL STREQUAL "win32")
  cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL include
                 ${CMAKE_SOURCE_DIR}/cmake/release.cmake OPTIONAL)
endif()
