// Reading every entry of a 20 MB skin archive with the skin archive reader,
// against `unzip -p` of the same archive, alternately in the same run. Goal:
// our median time at most 1.2 times unzip's.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/support/bench_support.h"
#include "ui/core/zip/zip_reader.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// Skin-like files: XML (very compressible) and images (mostly noise, some
// flat areas), packed deflated by python's zipfile; about two thirds of
// the image bytes are noise, which sets the archive size.
fs::path MakeArchive(const fs::path& dir, std::size_t targetBytes) {
    fs::create_directories(dir / "skin/img");
    unsigned seed = 99;
    std::size_t written = 0;
    for (int i = 0; written < targetBytes * 3 / 2; ++i) {
        std::string content;
        std::string name;
        if (i % 4 == 0) {
            name = "skin/Window" + std::to_string(i) + ".xml";
            while (content.size() < 60000) {
                content += "  <Button name=\"btn" + std::to_string(content.size()) +
                           "\" normalimage=\"file='img/btn.png' source='0,0,60,24'\"/>\n";
            }
        } else {
            name = "skin/img/pic" + std::to_string(i) + ".png";
            content.resize(150000 + (i % 7) * 10000);
            for (std::size_t k = 0; k < content.size(); ++k) {
                seed = seed * 1664525u + 1013904223u;
                content[k] = (k / 512) % 3 == 0 ? 'A' : static_cast<char>(seed >> 24);
            }
            written += content.size();
        }
        std::ofstream(dir / name, std::ios::binary) << content;
    }
    fs::path archive = dir / "skin.zip";
    std::string command = "cd '" + (dir / "skin").string() +
                          "' && python3 -c \"import os, zipfile\n"
                          "with zipfile.ZipFile('../skin.zip', 'w', zipfile.ZIP_DEFLATED) as z:\n"
                          "    for root, _, files in os.walk('.'):\n"
                          "        for f in sorted(files):\n"
                          "            p = os.path.join(root, f)[2:]\n"
                          "            z.write(p, p)\n\"";
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "cannot make the archive\n");
        std::exit(1);
    }
    return archive;
}

std::size_t ReadEverything(const fs::path& archive) {
    auto zip = VantuUI::CZipReader::OpenFile(archive.wstring());
    if (zip == nullptr) {
        std::fprintf(stderr, "open failed: %x\n", VantuUI::CZipReader::LastResult());
        std::exit(1);
    }
    std::size_t total = 0;
    std::vector<unsigned char> buffer;
    for (int i = 0; i < zip->EntryCount(); ++i) {
        VantuUI::ZipEntryInfo info;
        zip->GetEntry(i, info);
        buffer.resize(info.uncompressedSize);
        DWORD result = zip->Unzip(i, buffer.data(), buffer.size(), VantuUI::ZipStream::Memory);
        if (result != VantuUI::ZipResult::More && result != VantuUI::ZipResult::Ok) {
            std::fprintf(stderr, "entry %d failed: %x\n", i, result);
            std::exit(1);
        }
        total += buffer.size();
    }
    return total;
}

void RunUnzip(const fs::path& archive) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::string path = archive.string();
    char* argv[] = {const_cast<char*>("unzip"), const_cast<char*>("-p"), path.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, "/usr/bin/unzip", &actions, nullptr, argv, environ) != 0) {
        std::fprintf(stderr, "cannot run unzip\n");
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "unzip failed\n");
        std::exit(1);
    }
}

}  // namespace

int main() {
    std::string pattern = (fs::temp_directory_path() / "vantu-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return 1;
    }
    const fs::path dir = pattern;
    const fs::path archive = MakeArchive(dir, 20u << 20);
    std::size_t unpacked = 0;
    constexpr int kRounds = 11;
    constexpr double kLimit = 1.2;
    const bench_support::SideBySide times = bench_support::Alternate(
        kRounds,
        [&] { return bench_support::SecondsOf([&] { unpacked = ReadEverything(archive); }); },
        [&] { return bench_support::SecondsOf([&] { RunUnzip(archive); }); }, 1);
    std::printf("archive: %.1f MB, %.1f MB unpacked; %d rounds, ours and unzip alternately\n",
                fs::file_size(archive) / 1e6, unpacked / 1e6, kRounds);
    bench_support::PrintSpread("CZipReader, every entry", times.ours, 1e3, "ms");
    bench_support::PrintSpread("unzip -p > /dev/null", times.reference, 1e3, "ms");
    const bool ok = bench_support::ReportAtMost("time, ours / unzip:", times.Ratio(), kLimit);
    fs::remove_all(dir);
    return ok ? 0 : 1;
}
