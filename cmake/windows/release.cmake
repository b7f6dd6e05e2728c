# What a vendor ships for Windows (the `release` install component, which
# scripts/release-windows zips): the launcher, the archive engine it loads from
# its own folder, and the licence texts of what the two hold. The launcher's
# licences follow from what it links, so a library linked in later brings its
# text along.

# vantu_link_closure(<target> <out-var>): every target <target> links,
# directly or through other targets.
function(vantu_link_closure target out)
    set(pending ${target})
    set(seen)
    while(pending)
        list(POP_FRONT pending current)
        if(NOT TARGET ${current} OR current IN_LIST seen)
            continue()
        endif()
        list(APPEND seen ${current})
        get_target_property(aliased ${current} ALIASED_TARGET)
        if(aliased)
            list(APPEND pending ${aliased})
        endif()
        foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
            get_target_property(libraries ${current} ${property})
            foreach(library IN LISTS libraries)
                # Static libraries hand their own dependencies on as $<LINK_ONLY:...>.
                string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" library "${library}")
                if(library AND NOT library MATCHES "^\\$<")
                    list(APPEND pending ${library})
                endif()
            endforeach()
        endforeach()
    endwhile()
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

if(NOT EXISTS "${VANTU_7Z_DLL}" OR NOT EXISTS "${VANTU_7Z_LICENSE}")
    message(FATAL_ERROR "The archive engine is missing: run scripts/windows-deps")
endif()
install(TARGETS VantuLauncher RUNTIME DESTINATION . COMPONENT release)
install(FILES ${VANTU_7Z_DLL} DESTINATION . COMPONENT release)
install(FILES ${VANTU_7Z_LICENSE} DESTINATION . RENAME License-7-Zip.txt COMPONENT release)

# Linked into every program (-static): the MinGW-w64 start-up code and winpthreads.
set(licences "MinGW-w64-runtime=/usr/share/doc/mingw-w64-common/copyright")
# Each library that brings a licence text: its target, its name, its text.
set(licensed_libraries
    "vantu_sodium|libsodium|${VANTU_SODIUM_ROOT}/LICENSE"
    "nlohmann_json::nlohmann_json|nlohmann-json|/usr/share/doc/nlohmann-json3-dev/copyright"
    "ZLIB::ZLIB|zlib|/usr/share/doc/libz-mingw-w64-dev/copyright"
    "PkgConfig::STB|stb|/usr/share/doc/libstb-dev/copyright")
vantu_link_closure(VantuLauncher linked)
foreach(library IN LISTS licensed_libraries)
    string(REPLACE "|" ";" fields "${library}")
    list(GET fields 0 target)
    if(target IN_LIST linked)
        list(GET fields 1 name)
        list(GET fields 2 text)
        list(APPEND licences "${name}=${text}")
    endif()
endforeach()
foreach(entry IN LISTS licences)
    string(REGEX MATCH "^([^=]+)=(.*)$" unused "${entry}")
    if(NOT EXISTS "${CMAKE_MATCH_2}")
        message(FATAL_ERROR "The licence text of ${CMAKE_MATCH_1} is missing: ${CMAKE_MATCH_2}")
    endif()
    install(FILES "${CMAKE_MATCH_2}" DESTINATION . RENAME "License-${CMAKE_MATCH_1}.txt"
            COMPONENT release)
endforeach()

# The test build checks what the release would hold (scripts/release-windows
# zips the same component from builds with the vendor's settings).
add_test(NAME Release.HoldsTheLauncherTheEngineAndLicencesOnly
         COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DSOURCE=${PROJECT_SOURCE_DIR}
                 -P ${CMAKE_CURRENT_LIST_DIR}/check-release.cmake)
