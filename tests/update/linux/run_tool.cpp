#include <gtest/gtest.h>

#include "tests/support/process.h"
#include "tests/update/package_maker.h"

namespace package_maker {

void RunTool(const std::filesystem::path& directory, const std::string& program,
             const std::vector<std::string>& args) {
    testing_support::ProcessOptions options;
    options.args = args;
    options.directory = directory;
    auto result = testing_support::RunProcess(program, options);
    ASSERT_EQ(result.exitCode, 0) << program << ": " << result.out << result.err;
}

}  // namespace package_maker
