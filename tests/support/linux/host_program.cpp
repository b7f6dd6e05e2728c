#include "tests/support/host_program.h"

#include "tests/support/process.h"

namespace testing_support {

// A child of the test, killed when the object goes.
struct HostProgram::Running {
    BackgroundProcess process;
};

namespace {

ProcessOptions WithArgs(const std::vector<std::string>& args) {
    ProcessOptions options;
    options.args = args;
    return options;
}

}  // namespace

HostProgram::HostProgram(const std::string& program, const std::vector<std::string>& args)
    : m_running(new Running{BackgroundProcess(program, WithArgs(args))}) {}

HostProgram::~HostProgram() = default;

std::string HostProgram::Out() const {
    return m_running->process.Out();
}

std::string HostProgram::Err() const {
    return m_running->process.Err();
}

std::string HostPath(const std::filesystem::path& path) {
    return path.string();
}

std::filesystem::path GuestPath(const std::filesystem::path& path) {
    return path;
}

}  // namespace testing_support
