#pragma once

#include <optional>
#include <string>

namespace launcher_test {

// The inode of the listening abstract socket behind the named event of that
// name while some process holds it, seen without touching it.
std::optional<unsigned long> HeldNameInode(const std::string& name);

}  // namespace launcher_test
