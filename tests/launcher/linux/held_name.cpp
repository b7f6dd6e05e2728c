#include "tests/launcher/linux/held_name.h"

#include <fstream>
#include <sstream>

namespace launcher_test {

std::optional<unsigned long> HeldNameInode(const std::string& name) {
    // Columns: Num RefCount Protocol Flags Type St Inode Path; flag 0x10000
    // marks a listening socket, abstract names start with "@".
    std::ifstream table("/proc/net/unix");
    std::string line;
    std::getline(table, line);
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string num, refCount, protocol, flags, type, state, inode, path;
        fields >> num >> refCount >> protocol >> flags >> type >> state >> inode;
        std::getline(fields >> std::ws, path);
        if (path == "@" + name && (std::stoul(flags, nullptr, 16) & 0x10000) != 0) {
            return std::stoul(inode);
        }
    }
    return std::nullopt;
}

}  // namespace launcher_test
