#pragma once

// Variables this process sets for itself alone: the programs it starts
// (StartProcess) get the environment as it was without them.

#include <string>
#include <vector>

namespace platform {

// Sets `name` to `value` unless the environment already gives it a value.
// Only while no other thread reads the environment: setenv is not safe
// beside getenv.
void SetOwnEnvironmentValue(const char* name, const char* value);

// This process's environment less the variables set above that still hold
// the value given there, as NAME=value.
std::vector<std::string> ChildEnvironment();

}  // namespace platform
