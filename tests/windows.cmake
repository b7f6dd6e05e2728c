# The Windows tests, run under wine: the suites of what builds for Windows so
# far. The window system's stand-ins and what waits for its port are left out
# by name.
vantu_library(vantu_test_support DIRS tests/support
    EXCLUDE tests/support/x_server.cpp tests/support/update_server.cpp
            tests/support/launcher_lock.cpp tests/support/lsan_suppressions.cpp
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
include(${PROJECT_SOURCE_DIR}/cmake/EmbedResource.cmake)
vantu_embed_resource(vantu_test_named_resource TYPE xml NAME "Named Resource.xml"
                     FILE ${CMAKE_CURRENT_SOURCE_DIR}/platform/data/named_resource.xml)
vantu_embed_resource(vantu_test_numbered_resource TYPE TESTDATA ID 77
                     FILE ${CMAKE_CURRENT_SOURCE_DIR}/platform/data/named_resource.xml)
vantu_test_suite(platform
    DEPS vantu_platform_core vantu_platform_x11 vantu_test_named_resource
         vantu_test_numbered_resource
    PROGRAMS vantu-sleep VantuSpeedUp vantu-versioninfo
    EXCLUDE window/ controls/ clipboard_test.cpp font_test.cpp message_box_test.cpp
            text_services_test.cpp)
# The demo booster's version as windres gave it.
target_compile_definitions(platform_tests PRIVATE
    VANTU_BOOSTER_VERSION_TEXT=L"${VANTU_BOOSTER_VERSION}")
