# Cross build for Windows with MinGW-w64 (Debian's g++-mingw-w64, posix
# threads: the win32 variant has no std::thread or std::mutex). Included by the
# per-target toolchain files, which set VANTU_MINGW_ARCH first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VANTU_MINGW_ARCH})
set(triple ${VANTU_MINGW_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Programs import only Windows system DLLs: the C++ runtime, winpthreads and
# zlib are linked in (FindZLIB would otherwise take the import library).
set(ZLIB_USE_STATIC_LIBS ON)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
# Tests run under wine, on the prefix that scripts/wine-prefix made and started.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
# What scripts/windows-deps built from Debian's sources for this target.
set(VANTU_WINDOWS_DEPS "$ENV{VANTU_WINDOWS_DEPS}")
if(NOT VANTU_WINDOWS_DEPS)
    set(VANTU_WINDOWS_DEPS "$ENV{HOME}/.cache/vantu-windows-deps")
endif()
if(EXISTS ${VANTU_WINDOWS_DEPS}/${VANTU_MINGW_ARCH}/deps.cmake)
    include(${VANTU_WINDOWS_DEPS}/${VANTU_MINGW_ARCH}/deps.cmake)
endif()
