#include "tests/ui/zip/zip_fixtures.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "tests/support/host_program.h"
#include "tests/update/package_maker.h"

namespace zip_fixtures {

namespace {

using testing_support::HostPath;

std::string RandomBytes(std::size_t size, std::uint32_t seed) {
    std::string bytes(size, '\0');
    for (auto& byte : bytes) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<char>(seed >> 24);
    }
    return bytes;
}

std::string Compressible(std::size_t size) {
    std::string text;
    for (int line = 0; text.size() < size; ++line) {
        text += "<Label name=\"label" + std::to_string(line) +
                "\" text=\"release notes line\" pos=\"0,0,100,20\"/>\n";
    }
    text.resize(size);
    return text;
}

void WriteTree(const std::filesystem::path& root, const std::map<std::string, std::string>& files) {
    for (const auto& [name, content] : files) {
        std::filesystem::create_directories((root / name).parent_path());
        testing_support::WriteFile(root / name, content);
    }
}

}  // namespace

const std::map<std::string, std::string>& SkinFiles() {
    static const std::map<std::string, std::string> files = {
        {"MainWindow.xml",
         "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Window size=\"500,310\">\n" +
             Compressible(3000) + "</Window>\n"},
        {"img/pic_bg.png", RandomBytes(100000, 7)},
        {"img/notes.txt", Compressible(200000)},
        {"empty.txt", ""},
    };
    return files;
}

const char* ToolName(Tool tool) {
    switch (tool) {
        case Tool::Zip:
            return "zip";
        case Tool::SevenZip:
            return "7z";
        case Tool::Python:
            return "python";
    }
    return "?";
}

std::string MakeArchive(const testing_support::TempDir& dir, Tool tool, Method method) {
    const auto root = dir / "files";
    std::filesystem::remove_all(root);
    WriteTree(root, SkinFiles());
    const auto archive = dir / "out.zip";
    std::filesystem::remove(archive);
    bool stored = method == Method::Stored;
    switch (tool) {
        case Tool::Zip:
            package_maker::RunTool(root, "/usr/bin/zip",
                                   {"-q", "-r", stored ? "-0" : "-6", HostPath(archive),
                                    "MainWindow.xml", "img", "empty.txt"});
            break;
        case Tool::SevenZip:
            package_maker::RunTool(root, "/usr/bin/7z",
                                   {"a", "-tzip", stored ? "-mx=0" : "-mx=5", HostPath(archive),
                                    "MainWindow.xml", "img", "empty.txt"});
            break;
        case Tool::Python:
            return MakePythonArchive(dir, SkinFiles(), stored ? "stored" : "deflated");
    }
    return testing_support::ReadFile(archive);
}

std::string MakePythonArchive(const testing_support::TempDir& dir,
                              const std::map<std::string, std::string>& files,
                              const std::string& compression) {
    const auto root = dir / "pyfiles";
    std::filesystem::remove_all(root);
    WriteTree(root, files);
    const auto archive = dir / "py.zip";
    std::filesystem::remove(archive);
    std::vector<std::string> args = {
        "-c",
        "import sys, zipfile\n"
        "kinds = {'stored': zipfile.ZIP_STORED, 'deflated': zipfile.ZIP_DEFLATED,"
        " 'bzip2': zipfile.ZIP_BZIP2}\n"
        "with zipfile.ZipFile(sys.argv[1], 'w', kinds[sys.argv[2]]) as z:\n"
        "    for name in sys.argv[3:]:\n"
        "        z.write(name, name)\n",
        HostPath(archive), compression};
    for (const auto& [name, content] : files) {
        args.push_back(name);
    }
    package_maker::RunTool(root, "/usr/bin/python3", args);
    return testing_support::ReadFile(archive);
}

}  // namespace zip_fixtures
