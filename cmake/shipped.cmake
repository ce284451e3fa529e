# The shipped tree (win32 thread model): glmx.exe, and glmx-remote.exe for tools/run.sh.
add_executable(glmx WIN32 ${GLMX_APP_SOURCES})
target_include_directories(glmx PRIVATE ${CMAKE_BINARY_DIR}/generated ${CMAKE_SOURCE_DIR}/src/app
                                        ${CMAKE_SOURCE_DIR}/src/ui/artwork)
target_link_options(glmx PRIVATE -municode)
target_link_libraries(glmx PRIVATE glmx_win32)

# Finds the running main window, waits for it, closes it: for the run script.
add_executable(glmx-remote tools/remote/glmx_remote.cpp tests/support/main_window_finder.cpp)
target_include_directories(glmx-remote PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_options(glmx-remote PRIVATE -municode)
target_link_libraries(glmx-remote PRIVATE glmx_win32)

# The Explorer context-menu handler, beside glmx.exe: system DLLs and a static runtime only.
add_library(glmxshell SHARED src/shellintegration/shell_extension/glmxshell.cpp
                             src/shellintegration/shell_extension/glmxshell.def
                             src/shellintegration/shell_menu.cpp src/platform/text.cpp)
set_target_properties(glmxshell PROPERTIES PREFIX "")
target_include_directories(glmxshell PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_options(glmxshell PRIVATE -Wall -Wextra)
target_link_libraries(glmxshell PRIVATE shell32 ole32 uuid advapi32 user32)
