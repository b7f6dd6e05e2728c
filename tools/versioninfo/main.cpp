// vantu-versioninfo: writes version blocks and files that carry them.
//
//   vantu-versioninfo elf-set INPUT OUTPUT VERSION   copy of an ELF program with that version
//   vantu-versioninfo pe32 OUTPUT VERSION            minimal PE32 image with that version
//   vantu-versioninfo pe64 OUTPUT VERSION            minimal PE32+ image
//   vantu-versioninfo block OUTPUT VERSION           the bare VS_VERSIONINFO block

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "tools/versioninfo/version_block_writer.h"

namespace {

bool Write(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// objcopy (binutils, present wherever the project builds) places the block;
// the section is not loaded, so the program's image stays as it was.
int SetElfVersion(const std::string& input, const std::string& output, const std::string& block) {
    std::string blockPath = output + ".vsblock";
    if (!Write(blockPath, block)) {
        std::cerr << "cannot write " << blockPath << "\n";
        return 1;
    }
    pid_t pid = fork();
    if (pid == 0) {
        std::string add = ".vs_version_info=" + blockPath;
        execlp("objcopy", "objcopy", "--remove-section=.vs_version_info", "--add-section",
               add.c_str(), "--set-section-flags", ".vs_version_info=contents,readonly",
               input.c_str(), output.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    std::remove(blockPath.c_str());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::cerr << "objcopy failed for " << input << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vantu::tools;
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "elf-set" && argc == 5) {
        return SetElfVersion(argv[2], argv[3], BuildVersionBlock(SimpleVersionInfo(argv[4])));
    }
    if ((command == "pe32" || command == "pe64" || command == "block") && argc == 4) {
        std::string block = BuildVersionBlock(SimpleVersionInfo(argv[3]));
        std::string bytes = command == "block" ? block : BuildPeImage(block, command == "pe64");
        return Write(argv[2], bytes) ? 0 : 1;
    }
    std::cerr << "usage: vantu-versioninfo elf-set INPUT OUTPUT VERSION\n"
                 "       vantu-versioninfo pe32|pe64|block OUTPUT VERSION\n";
    return 2;
}
