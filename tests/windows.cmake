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

# What windres put into the launcher program; the rest of the launcher's
# suite follows once it runs under wine.
if(TARGET VantuLauncher)
    vantu_test_suite(launcher DEPS vantu_launcher_core vantu_settings PROGRAMS VantuLauncher
        EXCLUDE installed_version_test.cpp launch_booster_test.cpp launcher_stage.cpp
                launcher_startup_test.cpp pending_deletions_test.cpp running_booster_test.cpp
                single_instance_guard_test.cpp single_instance_process_test.cpp
                skin_archive_resource_test.cpp)
    target_compile_definitions(launcher_tests PRIVATE
        VANTU_LAUNCHER_VERSION_TEXT=L"${VANTU_LAUNCHER_VERSION}")
endif()

# The update suite under wine, against the local update server that wine
# starts on the host (tests/support/host_program.h), with 7z.dll beside it;
# test packages are made by the host's archivers. The extractor's own
# Linux cases (modes, links on disk, raw-byte names) stay there; the resumed
# upgrades (a run ended by a Linux signal) and the worker cases that read
# modes with stat are not ported yet.
vantu_test_suite(update DEPS vantu_update vantu_test_settings
    PROGRAMS vantu_test_packages vantu-upgrade-local
    EXCLUDE seven_zip_extractor_test.cpp resumable_upgrade_test.cpp upgrade_worker_test.cpp)
target_compile_definitions(update_tests PRIVATE VANTU_TEST_PACKAGES="${VANTU_TEST_PACKAGES}")
# The package download built as the product is, on both systems.
vantu_test_suite(update_net DEPS vantu_update vantu_product_like_test_settings)
