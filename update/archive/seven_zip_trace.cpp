#include "update/archive/seven_zip_trace.h"

#include <cstdio>
#include <string>

#include "platform/text/text_codec.h"

namespace SevenZip {

void TraceLine(std::string_view text, std::wstring_view path) {
    std::string line(text);
    line += platform::EncodeFileName(path);  // the bytes the name has on disk
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
}

}  // namespace SevenZip
