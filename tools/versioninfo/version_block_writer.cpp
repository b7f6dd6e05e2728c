#include "tools/versioninfo/version_block_writer.h"

#include <cstdio>
#include <cstring>

namespace vantu::tools {

namespace {

void Put16(std::string& out, std::size_t at, std::uint32_t v) {
    out[at] = static_cast<char>(v & 0xFF);
    out[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& out, std::size_t at, std::uint32_t v) {
    Put16(out, at, v & 0xFFFF);
    Put16(out, at + 2, v >> 16);
}

void Put64(std::string& out, std::size_t at, std::uint64_t v) {
    Put32(out, at, static_cast<std::uint32_t>(v));
    Put32(out, at + 4, static_cast<std::uint32_t>(v >> 32));
}

void Append16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void Append32(std::string& out, std::uint32_t v) {
    Append16(out, v & 0xFFFF);
    Append16(out, v >> 16);
}

void Pad4(std::string& out) {
    while (out.size() % 4 != 0) {
        out += '\0';
    }
}

// One node: header, key, value, children; lengths filled in at the end.
std::string Node(std::u16string_view key, std::uint16_t type, const std::string& value,
                 std::uint16_t valueLength, const std::string& children) {
    std::string out(6, '\0');
    for (char16_t c : key) {
        Append16(out, c);
    }
    Append16(out, 0);
    Pad4(out);
    out += value;
    if (!children.empty()) {
        Pad4(out);
        out += children;
    }
    Put16(out, 0, static_cast<std::uint32_t>(out.size()));
    Put16(out, 2, valueLength);
    Put16(out, 4, type);
    return out;
}

std::string TextValue(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        Append16(out, c);
    }
    Append16(out, 0);
    return out;
}

std::string Children(const std::vector<std::string>& nodes) {
    std::string out;
    for (const auto& n : nodes) {
        Pad4(out);
        out += n;
    }
    return out;
}

std::u16string Ascii(const std::string& s) {
    return std::u16string(s.begin(), s.end());
}

}  // namespace

VersionInfo SimpleVersionInfo(const std::string& version, std::uint16_t language,
                              std::uint16_t codePage) {
    VersionInfo info;
    unsigned a = 0, b = 0, c = 0, d = 0;
    std::sscanf(version.c_str(), "%u.%u.%u.%u", &a, &b, &c, &d);
    info.fileVersion = {static_cast<std::uint16_t>(a), static_cast<std::uint16_t>(b),
                        static_cast<std::uint16_t>(c), static_cast<std::uint16_t>(d)};
    char key[9];
    std::snprintf(key, sizeof key, "%04x%04x", language, codePage);
    info.stringTables.push_back(
        {Ascii(key), {{u"FileVersion", Ascii(version)}, {u"ProductVersion", Ascii(version)}}});
    info.translations.emplace_back(language, codePage);
    return info;
}

std::string BuildVersionBlock(const VersionInfo& info) {
    std::string fixed(52, '\0');
    Put32(fixed, 0, 0xFEEF04BD);
    Put32(fixed, 4, 0x00010000);
    const auto& v = info.fileVersion;
    Put32(fixed, 8, (std::uint32_t{v[0]} << 16) | v[1]);
    Put32(fixed, 12, (std::uint32_t{v[2]} << 16) | v[3]);
    Put32(fixed, 16, (std::uint32_t{v[0]} << 16) | v[1]);
    Put32(fixed, 20, (std::uint32_t{v[2]} << 16) | v[3]);
    Put32(fixed, 28, 0x00040004);  // VOS_NT_WINDOWS32
    Put32(fixed, 32, 1);           // VFT_APP

    std::vector<std::string> tops;
    if (!info.stringTables.empty()) {
        std::vector<std::string> tables;
        for (const auto& table : info.stringTables) {
            std::vector<std::string> strings;
            for (const auto& [key, text] : table.strings) {
                strings.push_back(
                    Node(key, 1, TextValue(text), static_cast<std::uint16_t>(text.size() + 1), ""));
            }
            tables.push_back(Node(table.key, 1, "", 0, Children(strings)));
        }
        tops.push_back(Node(u"StringFileInfo", 1, "", 0, Children(tables)));
    }
    if (!info.translations.empty()) {
        std::string pairs;
        for (auto [language, codePage] : info.translations) {
            Append16(pairs, language);
            Append16(pairs, codePage);
        }
        std::string var =
            Node(u"Translation", 0, pairs, static_cast<std::uint16_t>(pairs.size()), "");
        tops.push_back(Node(u"VarFileInfo", 1, "", 0, var));
    }
    return Node(u"VS_VERSION_INFO", 0, fixed, 52, Children(tops));
}

std::string BuildPeImage(const std::string& block, bool pe32plus, std::uint16_t language) {
    return BuildPeImage({{language, block}}, pe32plus);
}

std::string BuildPeImage(const std::vector<std::pair<std::uint16_t, std::string>>& translations,
                         bool pe32plus) {
    constexpr std::uint32_t kPeOffset = 0x80;
    constexpr std::uint32_t kFileAlign = 0x200;
    constexpr std::uint32_t kRsrcRva = 0x1000;
    const std::uint32_t optionalSize = pe32plus ? 240 : 224;

    // The resource section: three directory levels, a data entry per
    // translation, the blocks.
    std::string rsrc;
    auto directory = [&](const std::vector<std::pair<std::uint32_t, std::uint32_t>>& entries) {
        std::string d(16, '\0');
        Put16(d, 14, static_cast<std::uint16_t>(entries.size()));  // id entries
        for (auto [id, target] : entries) {
            Append32(d, id);
            Append32(d, target);
        }
        return d;
    };
    const auto count = static_cast<std::uint32_t>(translations.size());
    const std::uint32_t entriesAt = 48 + 16 + 8 * count;
    std::uint32_t blockAt = entriesAt + 16 * count;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> languages;
    std::string entries;
    std::string blocks;
    for (std::uint32_t i = 0; i < count; ++i) {
        languages.push_back({translations[i].first, entriesAt + 16 * i});
        std::string entry(16, '\0');
        Put32(entry, 0, kRsrcRva + blockAt + static_cast<std::uint32_t>(blocks.size()));
        Put32(entry, 4, static_cast<std::uint32_t>(translations[i].second.size()));
        entries += entry;
        blocks += translations[i].second;
        blocks.resize((blocks.size() + 3) & ~std::size_t{3}, '\0');
    }
    rsrc += directory({{16, 0x80000000u | 24}});  // RT_VERSION -> names
    rsrc += directory({{1, 0x80000000u | 48}});   // name 1 -> languages
    rsrc += directory(languages);                 // language -> data entry
    rsrc += entries;
    rsrc += blocks;
    const auto used = static_cast<std::uint32_t>(rsrc.size());
    std::uint32_t rawSize =
        (static_cast<std::uint32_t>(rsrc.size()) + kFileAlign - 1) & ~(kFileAlign - 1);
    rsrc.resize(rawSize, '\0');

    std::string image(kFileAlign, '\0');
    image[0] = 'M';
    image[1] = 'Z';
    Put32(image, 0x3C, kPeOffset);
    std::memcpy(&image[kPeOffset], "PE\0\0", 4);
    std::size_t coff = kPeOffset + 4;
    Put16(image, coff, pe32plus ? 0x8664 : 0x014C);
    Put16(image, coff + 2, 1);  // sections
    Put16(image, coff + 16, optionalSize);
    Put16(image, coff + 18, pe32plus ? 0x0022 : 0x0102);
    std::size_t opt = coff + 20;
    Put16(image, opt, pe32plus ? 0x20B : 0x10B);
    std::size_t dirCountAt = opt + (pe32plus ? 108 : 92);
    Put32(image, opt + 32, 0x1000);  // section alignment
    Put32(image, opt + 36, kFileAlign);
    Put32(image, opt + 56, kRsrcRva + rawSize);  // size of image
    Put32(image, opt + 60, kFileAlign);          // size of headers
    Put32(image, dirCountAt, 16);
    std::size_t resourceDir = dirCountAt + 4 + 2 * 8;
    Put32(image, resourceDir, kRsrcRva);
    Put32(image, resourceDir + 4, used);
    std::size_t section = opt + optionalSize;
    std::memcpy(&image[section], ".rsrc\0\0\0", 8);
    Put32(image, section + 8, used);
    Put32(image, section + 12, kRsrcRva);
    Put32(image, section + 16, rawSize);
    Put32(image, section + 20, kFileAlign);
    Put32(image, section + 36, 0x40000040);  // initialised data, readable
    return image + rsrc;
}

std::string BuildElfImage(const std::string& block) {
    static constexpr std::string_view kNames("\0.vs_version_info\0.shstrtab\0", 28);
    std::string image(64, '\0');
    std::memcpy(&image[0],
                "\x7f"
                "ELF",
                4);
    image[4] = 2;            // 64-bit
    image[5] = 1;            // little-endian
    image[6] = 1;            // version
    Put16(image, 16, 1);     // ET_REL
    Put16(image, 18, 0x3E);  // x86-64
    Put32(image, 20, 1);
    std::uint64_t blockAt = image.size();
    image += block;
    std::uint64_t namesAt = image.size();
    image += kNames;
    while (image.size() % 8 != 0) {
        image += '\0';
    }
    std::uint64_t headersAt = image.size();
    Put64(image, 0x28, headersAt);
    Put16(image, 0x34, 64);    // header size
    Put16(image, 0x3A, 0x40);  // section header size
    Put16(image, 0x3C, 3);     // null, .vs_version_info, .shstrtab
    Put16(image, 0x3E, 2);
    auto header = [&](std::uint32_t name, std::uint32_t type, std::uint64_t offset,
                      std::uint64_t size) {
        std::string h(0x40, '\0');
        Put32(h, 0, name);
        Put32(h, 4, type);
        Put64(h, 0x18, offset);
        Put64(h, 0x20, size);
        Put64(h, 0x30, 1);
        image += h;
    };
    header(0, 0, 0, 0);
    header(1, 1, blockAt, block.size());    // PROGBITS
    header(18, 3, namesAt, kNames.size());  // STRTAB
    return image;
}

}  // namespace vantu::tools
