#include "tests/update/package_maker.h"

#include <gtest/gtest.h>

#include "platform/text/text_codec.h"
#include "tests/support/host_program.h"
#include "tests/support/temp_dir.h"

namespace package_maker {

namespace fs = std::filesystem;
using testing_support::HostPath;

void Make7z(const fs::path& payload, const fs::path& archive,
            const std::vector<std::string>& extra) {
    std::vector<std::string> args = {"a", "-t7z", "-bd", "-y"};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back(HostPath(archive));
    args.push_back(".");
    RunTool(payload, "/usr/bin/7z", args);
}

void Make7zOf(const fs::path& payload, const fs::path& archive,
              const std::vector<std::string>& files) {
    std::vector<std::string> args = {"a", "-t7z", "-bd", "-y", HostPath(archive)};
    args.insert(args.end(), files.begin(), files.end());
    RunTool(payload, "/usr/bin/7z", args);
}

void Make7zWithLink(const fs::path& payload, const fs::path& archive, const std::string& link,
                    const fs::path& target) {
    RunTool(payload, "/bin/sh",
            {"-c",
             "ln -s \"$1\" \"$2\" || exit 1; /usr/bin/7z a -t7z -bd -y \"$3\" .; packed=$?; "
             "rm \"$2\"; exit $packed",
             "sh", HostPath(target), link, HostPath(archive)});
}

void MakeZip(const fs::path& payload, const fs::path& archive,
             const std::vector<std::string>& extra) {
    std::vector<std::string> args = {"a", "-tzip", "-bd", "-y"};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back(HostPath(archive));
    args.push_back(".");
    RunTool(payload, "/usr/bin/7z", args);
}

void MakeCab(const fs::path& payload, const fs::path& archive,
             const std::vector<std::string>& files) {
    std::vector<std::string> args = {"-c", "-z", HostPath(archive)};
    args.insert(args.end(), files.begin(), files.end());
    RunTool(payload, "/usr/bin/gcab", args);
}

void MakeLzma(const fs::path& file, const fs::path& archive) {
    RunTool(file.parent_path(), "/bin/sh",
            {"-c", "lzma -k -c \"$0\" > \"$1\"", HostPath(file), HostPath(archive)});
}

void MakeLzma86(const fs::path& file, const fs::path& archive) {
    RunTool(file.parent_path(), "/bin/sh",
            {"-c", "{ printf '\\000'; lzma -k -c \"$0\"; } > \"$1\"", HostPath(file),
             HostPath(archive)});
}

void RenameItem(const fs::path& archive, const std::string& from, const std::string& to) {
    RunTool(archive.parent_path(), "/usr/bin/7z", {"rn", "-bd", "-y", HostPath(archive), from, to});
}

std::wstring Wide(const fs::path& path) {
    return testing_support::WidePath(path);
}

std::wstring WideFolder(const fs::path& path) {
    auto folder = Wide(path);
    if (folder.empty() || folder.back() != L'/') {
        folder += L'/';
    }
    return folder;
}

std::wstring FileAddress(const fs::path& path) {
    return L"file://" + Wide(path);
}

}  // namespace package_maker
