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

# The render engine on GDI. The GIF frames' cases make their GIFs with the
# host's ImageMagick, which a Windows test cannot run.
vantu_test_suite(ui/render NAME ui_render DEPS vantu_ui_render EXCLUDE gif_frames_test.cpp)

# The toolkit's suite, windows on user32 included (input through the system's
# own queue: tests/support/windows/window_input.cpp). Left out: the rich edit
# (its own suite below), the zip reader's and the resource settings'
# cases (written over POSIX descriptors and pipes and /proc/self/exe), and
# the animated GIF's (its files are made by the host's ImageMagick, found on
# the Linux path).
vantu_test_suite(ui DEPS vantu_ui vantu_skin_resources vantu_gallery
    EXCLUDE render/ rich_edit/ zip/zip_reader_test.cpp resource_settings_test.cpp
            controls/gif_anim_test.cpp)
# The PNG writer the canvas helpers share with the render suite, and the
# host's archivers for the skin archives the tests make.
target_sources(ui_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/ui/render/windows/stb_image_write.cpp
               ${PROJECT_SOURCE_DIR}/tests/update/windows/run_tool.cpp)

# The rich edit on the system's text services, in windows of the real window
# system.
vantu_test_suite(ui/rich_edit NAME ui_rich_edit DEPS vantu_ui)

# The launcher's suite, but the skin archive's registration, whose archive is
# made by the host's zip on its Linux path (launcher_windows reads the archive
# the programs carry).
if(TARGET VantuLauncher)
    vantu_test_suite(launcher DEPS vantu_launcher vantu_test_settings vantu_versioninfo_writer
        PROGRAMS VantuLauncher VantuLauncherLocal VantuSpeedUp vantu-versioninfo vantu-sleep
        LOCK vantu_test_update_port
        EXCLUDE skin_archive_resource_test.cpp)
    target_compile_definitions(launcher_tests PRIVATE
        VANTU_LAUNCHER_VERSION_TEXT=L"${VANTU_LAUNCHER_VERSION}")
    # The upgrades on screen serve packages made by the host's 7z.
    target_sources(launcher_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/update/package_maker.cpp
                   ${PROJECT_SOURCE_DIR}/tests/update/windows/run_tool.cpp)
endif()

# The launcher's windows in this process on user32, with the skins the
# program carries, read as the toolkit's tests read a window.
vantu_test_suite(launcher_windows DEPS vantu_launcher vantu_test_settings vantu_skin_resources
    vantu_gallery)
target_sources(launcher_windows_tests PRIVATE
               ${PROJECT_SOURCE_DIR}/tests/ui/support/windows/presented_pixel.cpp)

# The update suite under wine, against the local update server that wine
# starts on the host (tests/support/host_program.h), with 7z.dll beside it;
# test packages are made by the host's archivers. The extractor's own
# Linux cases (modes, links on disk, raw-byte names) stay there.
vantu_test_suite(update DEPS vantu_update vantu_test_settings
    PROGRAMS vantu_test_packages vantu-upgrade vantu-upgrade-local
    EXCLUDE seven_zip_extractor_test.cpp)
target_compile_definitions(update_tests PRIVATE VANTU_TEST_PACKAGES="${VANTU_TEST_PACKAGES}")
# The package download built as the product is, on both systems.
vantu_test_suite(update_net DEPS vantu_update vantu_product_like_test_settings)

# A launcher for the local update server that trusts a CA of its own, whose
# folder the launcher suite moves away before running it: the CA must travel
# inside the program.
if(TARGET launcher_tests)
    vantu_local_pki(${CMAKE_BINARY_DIR}/own-ca-pki)
    vantu_build_settings(vantu_own_ca_test_settings
        HOST "${VANTU_LOCAL_SERVER_HOST}" PORT "${VANTU_TEST_UPDATE_PORT}"
        CA_BUNDLE "${CMAKE_BINARY_DIR}/own-ca-pki/ca.pem" HOME_HOST "127.0.0.1" OEM_ID 178
        INSTANCE_KEY "${VANTU_TEST_INSTANCE_KEY}")
    vantu_launcher_program(VantuLauncherOwnCa vantu_own_ca_test_settings)
    add_dependencies(launcher_tests VantuLauncherOwnCa)
endif()
