# vantu_embed_resource(<target> TYPE <type> ID <id> | NAME <name> FILE <file>)
# An object library that compiles the bytes of <file> into every program
# linking it, registered as the program resource (<type>, <id>) or
# (<type>, <name>): the program finds them with platform::FindEmbeddedResource.
# On Windows it is a real resource that windres compiles. <file> may be
# generated.
include_guard(GLOBAL)

function(vantu_embed_resource target)
    cmake_parse_arguments(ARG "" "TYPE;ID;NAME;FILE" "" ${ARGN})
    if(WIN32)
        if(DEFINED ARG_NAME)
            string(REPLACE "\"" "\"\"" key "${ARG_NAME}")
            set(key "\"${key}\"")
        else()
            set(key "${ARG_ID}")
        endif()
        # windres reads the file when it compiles the script, so the script
        # is compiled again whenever the file changes.
        set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
        file(GENERATE OUTPUT ${script} CONTENT "${key} ${ARG_TYPE} \"${ARG_FILE}\"\n")
        set_source_files_properties(${script} PROPERTIES OBJECT_DEPENDS ${ARG_FILE})
        add_library(${target} OBJECT ${script})
        target_link_libraries(${target} PUBLIC vantu_platform_core)
        return()
    endif()
    if(DEFINED ARG_NAME)
        set(key -DNAME=${ARG_NAME})
        set(shown "${ARG_TYPE} \"${ARG_NAME}\"")
    else()
        set(key -DID=${ARG_ID})
        set(shown "${ARG_TYPE} ${ARG_ID}")
    endif()
    set(script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/embed_resource.cmake)
    set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp)
    add_custom_command(OUTPUT ${source}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${ARG_FILE} -DOUTPUT=${source}
                -DTYPE=${ARG_TYPE} ${key} -P ${script}
        DEPENDS ${ARG_FILE} ${script}
        COMMENT "Embedding ${ARG_FILE} as resource ${shown}"
        VERBATIM)
    # Object files are always linked, so the static registration is never dropped.
    add_library(${target} OBJECT ${source})
    target_link_libraries(${target} PUBLIC vantu_platform_core)
endfunction()
