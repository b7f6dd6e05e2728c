#include "tools/versioninfo/set_version.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>

namespace vantu::tools {

// objcopy (binutils, present wherever the project builds) places the block
// in an ELF section; the section is not loaded, so the program's image stays
// as it was.
int SetProgramVersion(const std::string& input, const std::string& output,
                      const std::string& block) {
    std::string blockPath = output + ".vsblock";
    {
        std::ofstream out(blockPath, std::ios::binary | std::ios::trunc);
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
        if (!out) {
            std::cerr << "cannot write " << blockPath << "\n";
            return 1;
        }
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

}  // namespace vantu::tools
