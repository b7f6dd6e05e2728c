# The Windows program's dependencies: the system's own DLLs, zlib from
# Debian's MinGW package, libsodium as scripts/windows-deps built it from
# Debian's sources (deps.cmake, included by the toolchain file, names its
# folder), and GoogleTest built here from Debian's sources.
find_package(Threads REQUIRED)
find_package(ZLIB REQUIRED)

if(VANTU_SODIUM_ROOT AND EXISTS ${VANTU_SODIUM_ROOT}/lib/libsodium.a)
    add_library(vantu_sodium STATIC IMPORTED GLOBAL)
    set_target_properties(vantu_sodium PROPERTIES
        IMPORTED_LOCATION ${VANTU_SODIUM_ROOT}/lib/libsodium.a
        INTERFACE_INCLUDE_DIRECTORIES ${VANTU_SODIUM_ROOT}/include
        INTERFACE_COMPILE_DEFINITIONS SODIUM_STATIC)
    # The same name as the Linux build's, so the libraries link it alike.
    add_library(PkgConfig::SODIUM ALIAS vantu_sodium)
endif()

# nlohmann-json is header-only: Debian's headers serve both systems. Only
# its own folder goes on the include path, not the Linux system headers.
set(nlohmann_include ${CMAKE_BINARY_DIR}/nlohmann-json-include)
file(MAKE_DIRECTORY ${nlohmann_include})
file(CREATE_LINK /usr/include/nlohmann ${nlohmann_include}/nlohmann SYMBOLIC)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED GLOBAL)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${nlohmann_include})

# stb is header-only for the Windows program too (it compiles the decoder's
# code itself: Debian's libstb is built for Linux only).
set(stb_include ${CMAKE_BINARY_DIR}/stb-include)
file(MAKE_DIRECTORY ${stb_include})
file(CREATE_LINK /usr/include/stb ${stb_include}/stb SYMBOLIC)
add_library(PkgConfig::STB INTERFACE IMPORTED GLOBAL)
set_target_properties(PkgConfig::STB PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${stb_include})

set(gtest_source /usr/src/googletest)
if(NOT EXISTS ${gtest_source}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest's sources are missing: install the googletest package")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${gtest_source} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
# googlemock names its own targets GTest::gmock*; googletest's are named here.
foreach(library gtest gtest_main)
    if(NOT TARGET GTest::${library})
        add_library(GTest::${library} ALIAS ${library})
    endif()
endforeach()
