// Feeds arbitrary bytes to the skin archive reader as a memory block and as
// a file, and reads every entry through small and large buffers.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/core/zip/zip_reader.h"

namespace {

using VantuUI::CZipReader;
using VantuUI::ZipEntryInfo;
using VantuUI::ZipStream;

void Exercise(CZipReader& zip) {
    std::vector<unsigned char> buffer(70000);
    ZipEntryInfo info;
    zip.GetEntry(-1, info);
    const int count = zip.EntryCount();
    for (int i = 0; i < count && i < 64; ++i) {
        if (zip.GetEntry(i, info) != VantuUI::ZipResult::Ok) {
            continue;
        }
        int found = -1;
        zip.Find(info.name, true, &found, nullptr);
        // Small pieces first, then whole buffers; output is capped so that a
        // large claimed size cannot stall the run.
        std::size_t total = 0;
        std::size_t piece = (i % 2 == 0) ? 999 : buffer.size();
        for (int calls = 0; calls < 2000 && total < (8u << 20); ++calls) {
            DWORD result = zip.Unzip(i, buffer.data(), piece, ZipStream::Memory);
            if (result != VantuUI::ZipResult::More) {
                break;
            }
            total += piece;
        }
    }
    zip.Find(L"IMG\\PIC_BG.PNG", true, nullptr, &info);
    zip.GetEntry(0, info);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (auto zip = CZipReader::OpenMemory(data, size)) {
        Exercise(*zip);
    }
    int fd = ::memfd_create("zip", MFD_CLOEXEC);
    if (fd >= 0) {
        if (::write(fd, data, size) == static_cast<ssize_t>(size) &&
            ::lseek(fd, 0, SEEK_SET) == 0) {
            if (auto zip = CZipReader::OpenHandle(fd)) {
                Exercise(*zip);
            }
        }
        ::close(fd);
    }
    return 0;
}
