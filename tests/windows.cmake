# The Windows tests, run under wine: the suites of what builds for Windows so
# far. The window system's stand-ins and what waits for its port are left out
# by name.
vantu_library(vantu_test_support DIRS tests/support
    EXCLUDE tests/support/x_server.cpp tests/support/update_server.cpp
            tests/support/launcher_lock.cpp tests/support/lsan_suppressions.cpp
            tests/support/process.cpp
    DEPS GTest::gtest vantu_platform_core)
target_compile_definitions(vantu_test_support PUBLIC
    VANTU_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}"
    VANTU_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    VANTU_BUILD_DIR="${CMAKE_BINARY_DIR}"
    VANTU_EXE_SUFFIX="${CMAKE_EXECUTABLE_SUFFIX}")
target_compile_options(vantu_test_support PRIVATE -O0)

include(${CMAKE_CURRENT_SOURCE_DIR}/test_suite.cmake)

# Tests of user32's stand-ins (windows, controls, fonts, clipboard, message
# box, text services) and of what is not ported yet.
vantu_test_suite(platform DEPS vantu_platform_core PROGRAMS vantu-sleep
    EXCLUDE window/ controls/ clipboard_test.cpp font_test.cpp message_box_test.cpp
            text_services_test.cpp embedded_resources_test.cpp)
