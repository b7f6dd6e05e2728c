// Under wine the archivers are the host's: a shell started through
// HostProgram runs the tool in the folder and reports its exit code, since
// wine gives no process to wait on. It drops the "--lifeline FILE" that
// HostProgram adds and says "stopped" once the tool is done.

#include <gtest/gtest.h>

#include <chrono>

#include "tests/support/host_program.h"
#include "tests/update/package_maker.h"

namespace package_maker {

namespace {

// sh -c SCRIPT sh FOLDER COUNT PROGRAM ARGS... --lifeline FILE
constexpr const char* kScript = R"(cd "$1" || exit 1
count=$2
shift 2
i=0
for arg do
    if [ "$i" -le "$count" ]; then set -- "$@" "$arg"; fi
    shift
    i=$((i + 1))
done
"$@" >&2 </dev/null
echo "exit $?"
echo stopped)";

constexpr auto kToolTimeLimit = std::chrono::seconds(60);

}  // namespace

void RunTool(const std::filesystem::path& directory, const std::string& program,
             const std::vector<std::string>& args) {
    std::vector<std::string> shellArgs = {
        "-c",   kScript, "sh", testing_support::HostPath(directory), std::to_string(args.size()),
        program};
    shellArgs.insert(shellArgs.end(), args.begin(), args.end());
    testing_support::HostProgram tool("/bin/sh", shellArgs);
    ASSERT_TRUE(tool.WaitForOutput("stopped", kToolTimeLimit)) << program << ": " << tool.Err();
    EXPECT_NE(tool.Out().find("exit 0\n"), std::string::npos)
        << program << ": " << tool.Out() << tool.Err();
}

}  // namespace package_maker
