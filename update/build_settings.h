#pragma once

// Settings fixed when the program is built (CMake cache variables); there is
// no configuration file. Each program links the one definition made for it
// (cmake/build_settings.cpp.in), so changing a setting rebuilds only that file.

namespace vantu {

struct BuildSettings {
    const char* updateHost;
    int updatePort;
    const char* caBundle;  // empty: the system store only
    const char* homePageHost;
    const char* engineLibrary;
    // The distribution channel: the query's oemId, the booster's -oemid:
    // argument and the home page's oemid value.
    int oemId;
};

const BuildSettings& Settings();

}  // namespace vantu
