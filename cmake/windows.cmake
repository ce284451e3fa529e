# Windows build: glmx.exe and the test programs that CTest runs under Wine.
enable_language(RC)
if(NOT DEFINED CMAKE_RUNTIME_OUTPUT_DIRECTORY)
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endif()

# Everything static: glmx.exe imports system DLLs only and runs on Windows as it is.
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00
                        WINVER=0x0A00)

configure_file(${CMAKE_SOURCE_DIR}/src/app/version.h.in ${CMAKE_BINARY_DIR}/generated/version.h)

add_library(glmx_win32 STATIC ${GLMX_WIN32_SOURCES})
target_compile_options(glmx_win32 PRIVATE -Wall -Wextra)
target_link_libraries(glmx_win32 PUBLIC glmx_core comctl32 shell32 shlwapi ole32 oleaut32 uuid
                                        advapi32 user32 gdi32 version setupapi)

if(GLMX_THREAD_MODEL STREQUAL "win32")
  include(cmake/shipped.cmake)
  return()
endif()

# The shipped programs come from a second tree with the win32 thread model (the
# two thread models must not meet in one link); they land in this tree's bin, so
# the window tests start the very glmx.exe that ships.
include(ExternalProject)
cmake_host_system_information(RESULT GLMX_CORES QUERY NUMBER_OF_LOGICAL_CORES)
ExternalProject_Add(glmx
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/shipped
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchain-mingw64-win32.cmake
             -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
             -DCMAKE_RUNTIME_OUTPUT_DIRECTORY=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> -j ${GLMX_CORES}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/glmx.exe
                   ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/glmx-remote.exe
                   ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/glmxshell.dll)
add_custom_target(glmx-remote DEPENDS glmx)
# The second tree takes every core while it builds; this one's compiles wait for it.
add_dependencies(glmx_core glmx)

# GoogleTest from Debian's sources, built with this toolchain.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The win tests see the Windows version a manifested program sees (10.0 on Windows 10).
add_executable(glmx_win_tests ${GLMX_WIN_TEST_SOURCES} tests/win/win_tests.rc)
target_include_directories(glmx_win_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src/app)
target_link_libraries(glmx_win_tests PRIVATE glmx_win32 gtest gmock gtest_main)
add_dependencies(glmx_win_tests glmx_test_child)  # the process tests start and end it
# Tests of both programs create windows on the one desktop and take turns, so that
# none takes another's activation or keyboard focus.
gtest_discover_tests(glmx_win_tests TEST_PREFIX "win." DISCOVERY_MODE PRE_TEST
                     DISCOVERY_TIMEOUT 60 PROPERTIES RESOURCE_LOCK glmx_desktop)

add_executable(glmx_gui_tests ${GLMX_GUI_TEST_SOURCES})
target_include_directories(glmx_gui_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src/app
                                                  ${CMAKE_SOURCE_DIR}/src/ui/artwork)
target_link_libraries(glmx_gui_tests PRIVATE glmx_win32 gtest gmock gtest_main)
add_dependencies(glmx_gui_tests glmx glmx_test_child)

# A program the window tests start, close and end.
add_executable(glmx_test_child WIN32 tests/support/test_child.cpp)
target_link_options(glmx_test_child PRIVATE -municode)
# An uninstaller the installed-programs tests run; it changes their test entries.
add_executable(glmx_test_uninstaller WIN32 tests/support/test_uninstaller.cpp)
target_link_options(glmx_test_uninstaller PRIVATE -municode)
add_dependencies(glmx_win_tests glmx_test_uninstaller)
add_dependencies(glmx_gui_tests glmx_test_uninstaller)
# They also share the program's own settings key.
gtest_discover_tests(glmx_gui_tests TEST_PREFIX "gui." DISCOVERY_MODE PRE_TEST
                     DISCOVERY_TIMEOUT 60 PROPERTIES RESOURCE_LOCK "glmx_desktop;glmx_settings")

include(cmake/import_check.cmake)

# Benchmarks: speed against a plain API baseline measured in the same run (tools/bench.sh).
add_executable(glmx_bench_processes bench/processes_bench.cpp)
target_link_options(glmx_bench_processes PRIVATE -municode)
target_link_libraries(glmx_bench_processes PRIVATE glmx_win32 psapi)
add_dependencies(glmx_bench_processes glmx_test_child)

add_executable(glmx_bench_folder_list bench/folder_list_bench.cpp)
target_link_options(glmx_bench_folder_list PRIVATE -municode)
target_link_libraries(glmx_bench_folder_list PRIVATE glmx_win32)

add_executable(glmx_bench_file_search bench/file_search_bench.cpp)
target_link_options(glmx_bench_file_search PRIVATE -municode)
target_link_libraries(glmx_bench_file_search PRIVATE glmx_win32)

add_executable(glmx_bench_registry bench/registry_expand_bench.cpp bench/registry_bench.rc
                                   ${GLMX_WINDOW_RESOURCES})
target_include_directories(glmx_bench_registry PRIVATE ${CMAKE_SOURCE_DIR}/src/app
                                                       ${CMAKE_SOURCE_DIR}/src/ui/artwork)
target_link_options(glmx_bench_registry PRIVATE -municode)
target_link_libraries(glmx_bench_registry PRIVATE glmx_win32)

add_executable(glmx_bench_installed_programs bench/installed_programs_bench.cpp)
target_link_options(glmx_bench_installed_programs PRIVATE -municode)
target_link_libraries(glmx_bench_installed_programs PRIVATE glmx_win32)

add_executable(glmx_bench_startup bench/startup_bench.cpp)
target_include_directories(glmx_bench_startup PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_options(glmx_bench_startup PRIVATE -municode)
target_link_libraries(glmx_bench_startup PRIVATE shlwapi comctl32)
add_dependencies(glmx_bench_startup glmx)
