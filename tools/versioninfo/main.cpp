// vantu-versioninfo: writes version blocks and files that carry them.
//
//   vantu-versioninfo set INPUT OUTPUT VERSION       copy of a program (ELF on Linux, PE on
//                                                    Windows) with that version
//   vantu-versioninfo pe32 OUTPUT VERSION            minimal PE32 image with that version
//   vantu-versioninfo pe64 OUTPUT VERSION            minimal PE32+ image
//   vantu-versioninfo block OUTPUT VERSION           the bare VS_VERSIONINFO block

#include <fstream>
#include <iostream>
#include <string>

#include "tools/versioninfo/set_version.h"
#include "tools/versioninfo/version_block_writer.h"

namespace {

bool Write(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vantu::tools;
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "set" && argc == 5) {
        return SetProgramVersion(argv[2], argv[3], BuildVersionBlock(SimpleVersionInfo(argv[4])));
    }
    if ((command == "pe32" || command == "pe64" || command == "block") && argc == 4) {
        std::string block = BuildVersionBlock(SimpleVersionInfo(argv[3]));
        std::string bytes = command == "block" ? block : BuildPeImage(block, command == "pe64");
        return Write(argv[2], bytes) ? 0 : 1;
    }
    std::cerr << "usage: vantu-versioninfo set INPUT OUTPUT VERSION\n"
                 "       vantu-versioninfo pe32|pe64|block OUTPUT VERSION\n";
    return 2;
}
