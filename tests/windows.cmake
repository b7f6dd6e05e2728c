# The Windows tests, run under wine: the suites of what builds for Windows so
# far. Tests of user32's stand-ins (windows, controls, fonts, clipboard,
# message box, text services) and of what is not ported yet are left out by
# name.
vantu_test_suite(platform
    DEPS vantu_platform_core vantu_platform_x11 vantu_test_named_resource
         vantu_test_numbered_resource
    PROGRAMS vantu-sleep VantuSpeedUp vantu-versioninfo
    EXCLUDE window/ controls/ clipboard_test.cpp font_test.cpp message_box_test.cpp
            text_services_test.cpp)
# The demo booster's version as windres gave it.
target_compile_definitions(platform_tests PRIVATE
    VANTU_BOOSTER_VERSION_TEXT=L"${VANTU_BOOSTER_VERSION}")

# The launcher's suite, but the skin archive's resource, which the windows
# module reads (not built for Windows yet).
if(TARGET VantuLauncher)
    vantu_test_suite(launcher DEPS vantu_launcher vantu_test_settings vantu_versioninfo_writer
        PROGRAMS VantuLauncher VantuLauncherLocal VantuSpeedUp vantu-versioninfo vantu-sleep
        LOCK vantu_test_update_port
        EXCLUDE skin_archive_resource_test.cpp launcher_startup_test.cpp)
    target_link_libraries(launcher_tests PRIVATE ws2_32)
    target_compile_definitions(launcher_tests PRIVATE
        VANTU_LAUNCHER_VERSION_TEXT=L"${VANTU_LAUNCHER_VERSION}")
endif()

# The update suite's network cases, against the local update server that wine
# starts on the host (tests/support/host_program.h); the package's cases
# join as update/ is ported.
vantu_test_suite(update DEPS vantu_update_query vantu_test_settings
    EXCLUDE package_maker.cpp resumable_upgrade_test.cpp seven_zip_extractor_test.cpp
            seven_zip_paths_test.cpp upgrade_fixture.cpp upgrade_hostile_package_test.cpp
            upgrade_worker_test.cpp signature/ windows/)
