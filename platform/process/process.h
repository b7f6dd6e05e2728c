#pragma once

// Starting another program (the stand-in for CreateProcessW): argv is the
// program path followed by the words of its command line; the environment and
// the current folder are the caller's; no descriptor beyond the three
// standard streams is passed on. The streams are /dev/null, as the Windows
// call gave none, unless the caller's own are asked for. A program name
// without a slash is looked up through PATH. The child is not waited for: a
// thread of this process reaps it when it ends.

#include <string>
#include <vector>

namespace platform {

enum class StandardStreams { Null, Inherited };

bool StartProcess(const std::wstring& program, const std::vector<std::wstring>& arguments,
                  StandardStreams streams = StandardStreams::Null);

}  // namespace platform
