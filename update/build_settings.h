#pragma once

// Settings fixed when the program is built (CMake cache variables); there is
// no configuration file. Each program links the one definition made for it
// (cmake/build_settings.cpp.in), so changing a setting rebuilds only that file.

namespace vantu {

struct BuildSettings {
    const char* updateHost;
    int updatePort;
    // PEM certificates of the extra CAs the update server's certificate may
    // chain to, carried in the program (the bundle named at build time
    // stays on the build machine); empty: the system store only.
    const char* caCertificates;
    const char* homePageHost;
    const char* engineLibrary;
    // The launcher's windows module and the X11 client module, where the
    // build put them; a module beside the program comes first. Empty for
    // settings that no launcher program is built with.
    const char* windowsModule;
    const char* foreignWindowsModule;
    // The distribution channel: the query's oemId, the booster's -oemid:
    // argument and the home page's oemid value.
    int oemId;
    // The launcher takes the single-instance name "Global\<instanceKey>":
    // VantuLauncher in the product; test builds take one of their build
    // folder's own, so that tests of two build folders never meet.
    const char* instanceKey;
    // Package addresses may also be plain http or file addresses, and
    // redirects may lead to http: for the tests and the demo only.
    bool plainPackageAddresses;
    // The largest package downloaded, announced or received.
    unsigned long long maxPackageBytes;
    // The vendor's minisign public key (the base64 line of its .pub file):
    // packages must carry its signature for the announced version. Empty:
    // packages are not checked, and the update server alone is trusted.
    const char* packagePublicKey;
};

const BuildSettings& Settings();

}  // namespace vantu
