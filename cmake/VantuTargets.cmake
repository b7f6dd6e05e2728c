# vantu_library(<name> [DIRS <dir>...] [FILES <file>...] [EXCLUDE <path>...] [DEPS <target>...])
# A static library of every .cpp under the given folders plus the given files
# (all relative to the project root), but those under an EXCLUDE path (a
# folder or a file). Folders without sources yet give an interface library, so
# the tree builds while layers are still empty. What differs per system lives
# in a service folder's linux/ or windows/ sub-folder: the other system's is
# left out.
if(WIN32)
    set(VANTU_SYSTEM windows)
    set(VANTU_OTHER_SYSTEM linux)
else()
    set(VANTU_SYSTEM linux)
    set(VANTU_OTHER_SYSTEM windows)
endif()
function(vantu_library name)
    cmake_parse_arguments(ARG "" "" "DIRS;FILES;EXCLUDE;DEPS" ${ARGN})
    set(sources "")
    foreach(dir IN LISTS ARG_DIRS)
        file(GLOB_RECURSE found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
        list(APPEND sources ${found})
    endforeach()
    foreach(file IN LISTS ARG_FILES)
        list(APPEND sources ${PROJECT_SOURCE_DIR}/${file})
    endforeach()
    foreach(excluded IN LISTS ARG_EXCLUDE)
        set(kept "")
        foreach(source IN LISTS sources)
            set(excluded_path "${PROJECT_SOURCE_DIR}/${excluded}")
            cmake_path(IS_PREFIX excluded_path "${source}" NORMALIZE under)
            if(NOT under)
                list(APPEND kept ${source})
            endif()
        endforeach()
        set(sources ${kept})
    endforeach()
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    # A service folder's sub-folder, not a layer's own (launcher/windows/).
    list(FILTER sources EXCLUDE REGEX "^${PROJECT_SOURCE_DIR}/[^/]+/.+/${VANTU_OTHER_SYSTEM}/")
    if(sources)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
        target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    endif()
endfunction()

# The launcher's modules are built beside the programs, as they are installed.
function(vantu_windows_module_file out program)
    set(${out} "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/lib${program}-windows.so" PARENT_SCOPE)
endfunction()
function(vantu_foreign_windows_module_file out)
    set(${out} "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/libvantu-foreign-windows.so" PARENT_SCOPE)
endfunction()

# vantu_ca_certificates(<out> <bundle> <target>): the certificates of a PEM
# bundle as a C string literal ("" for no bundle), to be carried inside the
# program: the bundle's path means nothing on the machines it runs on. Only
# the certificate blocks are taken (never a key that shares the file), and a
# bundle without any stops the configuration. Editing the bundle reconfigures.
function(vantu_ca_certificates out bundle target)
    if(bundle STREQUAL "")
        set(${out} "\"\"" PARENT_SCOPE)
        return()
    endif()
    if(NOT EXISTS "${bundle}" OR IS_DIRECTORY "${bundle}")
        message(FATAL_ERROR "${target}: the CA bundle ${bundle} is not a file")
    endif()
    file(READ "${bundle}" content)
    string(REGEX MATCHALL
           "-----BEGIN CERTIFICATE-----[A-Za-z0-9+/=\r\n\t ]+-----END CERTIFICATE-----"
           certificates "${content}")
    if(NOT certificates)
        message(FATAL_ERROR "${target}: the CA bundle ${bundle} holds no PEM certificate")
    endif()
    set(literal "")
    foreach(certificate IN LISTS certificates)
        string(REPLACE "\r" "" certificate "${certificate}")
        string(REGEX REPLACE "[\t ]*\n[\t ]*" "\n" certificate "${certificate}")
        string(REPLACE "\n" "\\n\"\n        \"" certificate "${certificate}")
        string(APPEND literal "\n        \"${certificate}\\n\"")
    endforeach()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${bundle}")
    set(${out} "${literal}" PARENT_SCOPE)
endfunction()

# vantu_build_settings(<target> HOST <h> PORT <p> CA_BUNDLE <file> HOME_HOST <h> [OEM_ID <id>]
#                      [PLAIN_PACKAGE_ADDRESSES] [MAX_PACKAGE_BYTES <n>] [PUBLIC_KEY <key>]
#                      [INSTANCE_KEY <key>] [LAUNCHER <program>])
# A library that defines the build-time settings (update/build_settings.h).
# The product links the one made from the cache variables; tests and the demo
# link their own, aimed at the local update server. OEM_ID defaults to
# VANTU_OEM_ID. PLAIN_PACKAGE_ADDRESSES (tests and the demo only) also lets
# packages come from http and file addresses; MAX_PACKAGE_BYTES defaults to
# VANTU_MAX_PACKAGE_BYTES. PUBLIC_KEY is the minisign public key packages
# must be signed with (the base64 line of the .pub file; empty or absent: no
# check). INSTANCE_KEY is the launcher's single-instance key (default
# VantuLauncher). LAUNCHER names the launcher program built with these settings,
# whose windows module (vantu_launcher_program) they locate. Only the
# generated file sees the values, so changing one rebuilds that file alone.
function(vantu_build_settings target)
    cmake_parse_arguments(S "PLAIN_PACKAGE_ADDRESSES"
                          "HOST;PORT;CA_BUNDLE;HOME_HOST;OEM_ID;MAX_PACKAGE_BYTES;PUBLIC_KEY;INSTANCE_KEY;LAUNCHER"
                          "" ${ARGN})
    if(NOT DEFINED S_OEM_ID)
        set(S_OEM_ID "${VANTU_OEM_ID}")
    endif()
    if(NOT DEFINED S_INSTANCE_KEY)
        set(S_INSTANCE_KEY "VantuLauncher")
    endif()
    set(SETTINGS_HOST "${S_HOST}")
    set(SETTINGS_PORT "${S_PORT}")
    vantu_ca_certificates(SETTINGS_CA_CERTIFICATES "${S_CA_BUNDLE}" ${target})
    set(SETTINGS_HOME_HOST "${S_HOME_HOST}")
    set(SETTINGS_ENGINE "${VANTU_ENGINE_LIBRARY}")
    set(SETTINGS_WINDOWS_MODULE "")
    if(S_LAUNCHER)
        vantu_windows_module_file(SETTINGS_WINDOWS_MODULE ${S_LAUNCHER})
    endif()
    vantu_foreign_windows_module_file(SETTINGS_FOREIGN_WINDOWS_MODULE)
    set(SETTINGS_OEM_ID "${S_OEM_ID}")
    set(SETTINGS_INSTANCE_KEY "${S_INSTANCE_KEY}")
    if(NOT SETTINGS_INSTANCE_KEY MATCHES "^[A-Za-z0-9_.-]+$")
        message(FATAL_ERROR "${target}: the instance key must be letters, digits, '_', '.' or '-'")
    endif()
    if(S_PLAIN_PACKAGE_ADDRESSES)
        set(SETTINGS_PLAIN_PACKAGES true)
    else()
        set(SETTINGS_PLAIN_PACKAGES false)
    endif()
    set(SETTINGS_MAX_PACKAGE_BYTES "${VANTU_MAX_PACKAGE_BYTES}")
    if(DEFINED S_MAX_PACKAGE_BYTES)
        set(SETTINGS_MAX_PACKAGE_BYTES "${S_MAX_PACKAGE_BYTES}")
    endif()
    if(NOT SETTINGS_MAX_PACKAGE_BYTES MATCHES "^[1-9][0-9]*$")
        message(FATAL_ERROR "${target}: the maximum package size must be a positive number of bytes")
    endif()
    # "Ed", an 8-byte key id and a 32-byte key: 56 base64 characters.
    set(SETTINGS_PUBLIC_KEY "${S_PUBLIC_KEY}")
    string(LENGTH "${SETTINGS_PUBLIC_KEY}" key_length)
    if(NOT key_length EQUAL 0 AND
       (NOT key_length EQUAL 56 OR NOT SETTINGS_PUBLIC_KEY MATCHES "^RW[A-Za-z0-9+/]+$"))
        message(FATAL_ERROR "${target}: the public key must be the base64 line of a minisign .pub file")
    endif()
    configure_file(${PROJECT_SOURCE_DIR}/cmake/build_settings.cpp.in
                   ${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp @ONLY)
    # Objects rather than an archive: linked in whatever order the libraries
    # that read the settings come.
    add_library(${target} OBJECT ${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp)
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
endfunction()

# vantu_set_version(<target> <version> [DESCRIPTION <text>]): gives a program
# its version resource: on Windows a VERSIONINFO that windres compiles in, on
# Linux a version block added to the ELF program after it is linked.
function(vantu_set_version target version)
    cmake_parse_arguments(ARG "" "DESCRIPTION" "" ${ARGN})
    if(NOT version MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+$")
        message(FATAL_ERROR "${target}: version '${version}' is not a.b.c.d")
    endif()
    if(WIN32)
        set(VERSION ${version})
        string(REPLACE "." "," VERSION_COMMAS ${version})
        set(DESCRIPTION "${ARG_DESCRIPTION}")
        get_target_property(FILE_NAME ${target} OUTPUT_NAME)
        if(NOT FILE_NAME)
            set(FILE_NAME ${target})
        endif()
        set(FILE_NAME "${FILE_NAME}${CMAKE_EXECUTABLE_SUFFIX}")
        set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
        configure_file(${PROJECT_SOURCE_DIR}/cmake/windows/version.rc.in ${script} @ONLY)
        target_sources(${target} PRIVATE ${script})
        return()
    endif()
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND $<TARGET_FILE:vantu-versioninfo> set $<TARGET_FILE:${target}>
                $<TARGET_FILE:${target}>.versioned ${version}
        COMMAND ${CMAKE_COMMAND} -E rename $<TARGET_FILE:${target}>.versioned $<TARGET_FILE:${target}>
        VERBATIM)
    add_dependencies(${target} vantu-versioninfo)
endfunction()
