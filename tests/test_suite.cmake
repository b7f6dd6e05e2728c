# vantu_test_suite(<area> [NAME <name>] [DEPS <target>...] [PROGRAMS <target>...]
#                  [LOCK <resource>] [EXCLUDE <path>...])
# One test program per folder tests/<area>/, named <name>_tests (<area>_tests
# without a name), made of every .cpp under it but the other system's linux/ or
# windows/ sub-folders and the EXCLUDE paths (relative to tests/<area>/). PROGRAMS are built before the suite because its
# tests run them. LOCK keeps its tests from running at the same time as others
# holding the same lock.
function(vantu_test_suite area)
    cmake_parse_arguments(ARG "" "LOCK;NAME" "DEPS;PROGRAMS;EXCLUDE" ${ARGN})
    set(folder ${CMAKE_CURRENT_SOURCE_DIR}/${area})
    # A named suite's tests carry its name, so that ctest -R picks them out.
    set(prefix "")
    if(ARG_NAME)
        set(area ${ARG_NAME})
        set(prefix TEST_PREFIX ${ARG_NAME}.)
    endif()
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${folder}/*.cpp)
    list(FILTER sources EXCLUDE REGEX "^${folder}/(.*/)?${VANTU_OTHER_SYSTEM}/")
    foreach(excluded IN LISTS ARG_EXCLUDE)
        list(FILTER sources EXCLUDE REGEX "^${folder}/${excluded}")
    endforeach()
    if(NOT sources)
        return()
    endif()
    add_executable(${area}_tests ${sources})
    target_link_libraries(${area}_tests PRIVATE vantu_test_support GTest::gmock GTest::gtest_main
                          ${ARG_DEPS})
    # The test framework's headers are most of each test file's compile time.
    target_precompile_headers(${area}_tests PRIVATE <gmock/gmock.h> <gtest/gtest.h>)
    # The tests' own code is not optimised: the product code they drive keeps
    # its build's optimisation, and the test files compile in about half the
    # time (most of the test command's time is compiling).
    target_compile_options(${area}_tests PRIVATE -O0)
    foreach(program IN LISTS ARG_PROGRAMS)
        if(TARGET ${program})
            add_dependencies(${area}_tests ${program})
        endif()
    endforeach()
    set(lock "")
    if(ARG_LOCK)
        set(lock RESOURCE_LOCK ${ARG_LOCK})
    endif()
    if(VANTU_SANITIZE)
        # Under the sanitizers a process takes a good fraction of a second to
        # start: the suite runs as one process, not one per test.
        add_test(NAME ${area}_tests COMMAND ${area}_tests)
        set_tests_properties(${area}_tests PROPERTIES TIMEOUT 900 ${lock})
    else()
        # Under wine the list is asked for when the tests run, so that
        # building needs no wine.
        set(discovery "")
        if(CMAKE_CROSSCOMPILING)
            set(discovery DISCOVERY_MODE PRE_TEST)
        endif()
        gtest_discover_tests(${area}_tests ${prefix} DISCOVERY_TIMEOUT 120
                             PROPERTIES TIMEOUT 120 ${lock} ${discovery})
    endif()
endfunction()
