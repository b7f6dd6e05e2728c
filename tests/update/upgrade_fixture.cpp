#include "tests/update/upgrade_fixture.h"

#include <functional>

namespace upgrade_testing {

std::map<std::string, std::string> TreeOf(const fs::path& root) {
    std::map<std::string, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        auto name = fs::relative(entry.path(), root).generic_string();
        // The entry itself (a link is not followed): its type and permissions.
        auto status = fs::symlink_status(entry.path());
        std::string what = std::to_string(static_cast<int>(status.type())) + " " +
                           std::to_string(static_cast<unsigned>(status.permissions()));
        if (entry.is_symlink()) {
            what += " -> " + fs::read_symlink(entry.path()).string();
        } else if (entry.is_regular_file()) {
            auto bytes = ReadFile(entry.path());
            what += " " + std::to_string(bytes.size()) + " bytes #" +
                    std::to_string(std::hash<std::string>()(bytes));
        }
        tree[name] = what;
    }
    return tree;
}

}  // namespace upgrade_testing
