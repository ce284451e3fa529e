# The shipped programs must load on Windows XP x64 / Server 2003: their import
# tables are checked against what those systems lack (tests/build/check_imports.cmake).
foreach(program glmx glmx-remote glmxshell)
  set(binary ${program}.exe)
  if(program STREQUAL "glmxshell")
    set(binary ${program}.dll)  # the Explorer context-menu handler
  endif()
  add_test(NAME build.xp_imports.${program}
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP}
                   -DBINARY=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${binary}
                   -P ${CMAKE_SOURCE_DIR}/tests/build/check_imports.cmake)
endforeach()

# A program that imports from kernel32, user32 and msvcrt what those systems lack
# and asks for subsystem 6.0: the check must report each of them.
add_executable(glmx_imports_probe tests/build/imports_probe.c)
target_link_libraries(glmx_imports_probe PRIVATE user32)
target_link_options(glmx_imports_probe PRIVATE -Wl,--major-subsystem-version,6
                    -Wl,--minor-subsystem-version,0)
add_test(NAME build.xp_imports.check_finds_newer_imports
         COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DBINARY=$<TARGET_FILE:glmx_imports_probe>
                 "-DEXPECT=GetTickCount64|GetDpiForWindow|wcscpy_s|MajorSubsystemVersion 6.0"
                 -P ${CMAKE_SOURCE_DIR}/tests/build/check_imports.cmake)
