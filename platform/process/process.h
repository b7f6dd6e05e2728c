#pragma once

// Starting another program: argv is the program path followed by the words of
// its command line; the environment and the current folder are the caller's;
// nothing beyond the three standard streams is passed on, and no variable
// the process set for itself alone (linux/own_environment.h). The streams are the
// null device unless the caller's own are asked for. The child is not waited
// for. On Linux a program name without a slash is looked up through PATH and
// a thread of this process reaps the child when it ends. On Windows it is
// CreateProcessW with the standard handles alone in an explicit handle list
// and the words quoted as the C runtime reads them back; the program is named
// with its extension.

#include <string>
#include <vector>

namespace platform {

enum class StandardStreams { Null, Inherited };

bool StartProcess(const std::wstring& program, const std::vector<std::wstring>& arguments,
                  StandardStreams streams = StandardStreams::Null);

}  // namespace platform
