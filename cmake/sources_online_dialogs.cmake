# The dialogs of the online panel: the search sites and the internet address.
list(APPEND GLMX_CORE_SOURCES
  src/info/search_site_grid.cpp
)
list(APPEND GLMX_UNIT_TEST_SOURCES
  tests/unit/search_site_grid_test.cpp
)
