#pragma once

// Starting another program (the stand-in for CreateProcessW): argv is the
// program path followed by the words of its command line; the environment and
// the current folder are the caller's; the standard streams are /dev/null, as
// the Windows call gave none, and no other descriptor of the caller is
// passed on. The child is not waited for.

#include <string>
#include <vector>

namespace platform {

bool StartProcess(const std::wstring& program, const std::vector<std::wstring>& arguments);

}  // namespace platform
