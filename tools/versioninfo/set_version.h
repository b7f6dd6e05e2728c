#pragma once

// Giving a built program another version block: tests make boosters of the
// versions they need from the one the build made.

#include <string>

namespace vantu::tools {

// Writes a copy of the program at `input` to `output` whose version resource
// is `block` (a VS_VERSIONINFO block); 0 on success, otherwise 1 after a line
// on standard error.
int SetProgramVersion(const std::string& input, const std::string& output,
                      const std::string& block);

}  // namespace vantu::tools
