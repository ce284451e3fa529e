# Cross build of the Windows programs with MinGW-w64, linked fully static.
# The test programs use the posix thread model (std::mutex, GoogleTest); the
# shipped program uses the win32 one (toolchain-mingw64-win32.cmake), whose
# runtime imports nothing newer than Windows XP x64 / Server 2003.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

if(NOT GLMX_THREAD_MODEL)
  set(GLMX_THREAD_MODEL posix)
endif()
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-${GLMX_THREAD_MODEL})
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-${GLMX_THREAD_MODEL})
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test programs run under Wine; tools/wine-exec supplies the prefix and display.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-exec)
