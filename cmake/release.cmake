# The release packages of build/dist (tools/dist.sh) tested as a user gets them, under Wine.
set(GLMX_DIST_DIR ${CMAKE_SOURCE_DIR}/build/dist)
set(GLMX_PORTABLE_DIR ${CMAKE_BINARY_DIR}/release-portable)

# Paths the tests see through Wine's drive Z:.
string(REPLACE "/" "\\\\" GLMX_DIST_DIR_WINE "Z:${GLMX_DIST_DIR}")
string(REPLACE "/" "\\\\" GLMX_PORTABLE_DIR_WINE "Z:${GLMX_PORTABLE_DIR}")

add_executable(glmx_release_tests tests/release/release_test.cpp tests/release/release_tests.rc
               tests/support/main_window_finder.cpp tests/support/scoped_test_key.cpp
               tests/support/window_under_test.cpp ${GLMX_WINDOW_RESOURCES})
target_include_directories(glmx_release_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests
                                                      ${CMAKE_SOURCE_DIR}/src/app
                                                      ${CMAKE_SOURCE_DIR}/src/ui/artwork)
target_compile_definitions(glmx_release_tests PRIVATE
  GLMX_RELEASE_VERSION="${PROJECT_VERSION}"
  GLMX_RELEASE_VERSION_W=L"${PROJECT_VERSION}"
  GLMX_DIST_DIR_W=L"${GLMX_DIST_DIR_WINE}"
  GLMX_PORTABLE_DIR_W=L"${GLMX_PORTABLE_DIR_WINE}")
target_link_libraries(glmx_release_tests PRIVATE glmx_win32 gtest gmock gtest_main)

# The zip unpacked afresh for each run, as a user would.
add_test(NAME release.unpack_portable_zip
         COMMAND ${CMAKE_COMMAND} -DZIP=${GLMX_DIST_DIR}/Glimmerbox-${PROJECT_VERSION}.zip
                 -DDESTINATION=${GLMX_PORTABLE_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/release_unpack.cmake)
set_tests_properties(release.unpack_portable_zip PROPERTIES FIXTURES_SETUP glmx_portable)
# They install into the user's programs folder and start the program with its own settings;
# every window test holds the desktop lock too, so none of them runs meanwhile. (One lock
# only: the discovered tests' properties are written out as a flat list, where a second
# value of RESOURCE_LOCK would swallow the next property.)
gtest_discover_tests(glmx_release_tests TEST_PREFIX "release." DISCOVERY_MODE PRE_TEST
                     DISCOVERY_TIMEOUT 60
                     PROPERTIES FIXTURES_REQUIRED glmx_portable RESOURCE_LOCK glmx_desktop)
