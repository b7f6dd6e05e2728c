# cmake -DBUILD=<build folder> -DSOURCE=<source folder> -P check-release.cmake:
# installs the release component into a scratch folder and checks that it
# holds the launcher, the engine and licence texts only, and that both
# programs import only Windows system DLLs.
cmake_policy(VERSION 3.25)
set(stage ${BUILD}/release-check)
file(REMOVE_RECURSE ${stage})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --component release --prefix ${stage}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(result)
    message(FATAL_ERROR "installing the release component failed")
endif()
file(GLOB_RECURSE files RELATIVE ${stage} ${stage}/*)
list(SORT files)
foreach(required VantuLauncher.exe 7z.dll License-7-Zip.txt License-libsodium.txt)
    if(NOT required IN_LIST files)
        message(FATAL_ERROR "the release lacks ${required}: ${files}")
    endif()
endforeach()
foreach(file IN LISTS files)
    if(NOT file MATCHES "^(VantuLauncher\\.exe|7z\\.dll|License-[A-Za-z0-9.-]+\\.txt)$")
        message(FATAL_ERROR "the release holds ${file}, which it should not")
    endif()
endforeach()
execute_process(COMMAND ${SOURCE}/scripts/check-windows-imports ${stage}/VantuLauncher.exe ${stage}/7z.dll
                RESULT_VARIABLE result)
if(result)
    message(FATAL_ERROR "a program of the release imports more than the system's DLLs")
endif()
message(STATUS "release: ${files}")
