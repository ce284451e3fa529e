# The shipped program's toolchain: MinGW-w64 with the win32 thread model. The
# posix one links winpthread, which imports GetTickCount64 and so keeps the
# program from loading on Windows XP x64 / Server 2003.
set(GLMX_THREAD_MODEL win32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw64.cmake)
