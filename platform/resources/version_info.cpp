#include "platform/resources/version_info.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include "platform/files/file_io.h"
#include "platform/resources/resource_language.h"

namespace platform {

namespace {

// A VS_VERSIONINFO block's lengths are 16-bit, so no block is larger.
constexpr std::uint64_t kMaxBlockSize = 0xFFFF;

// Random access to a file image; every read is checked against its size.
class ByteSource {
  public:
    using Reader = std::function<bool(std::uint64_t offset, void* out, std::size_t size)>;
    ByteSource(std::uint64_t size, Reader reader) : m_size(size), m_reader(std::move(reader)) {}

    bool Read(std::uint64_t offset, void* out, std::size_t size) const {
        if (offset > m_size || size > m_size - offset) {
            return false;
        }
        return m_reader(offset, out, size);
    }

    std::optional<std::string> Bytes(std::uint64_t offset, std::uint64_t size) const {
        if (offset > m_size || size > m_size - offset) {
            return std::nullopt;
        }
        std::string out(static_cast<std::size_t>(size), '\0');
        if (!Read(offset, out.data(), out.size())) {
            return std::nullopt;
        }
        return out;
    }

    template <typename T>
    std::optional<T> Little(std::uint64_t offset) const {
        unsigned char raw[sizeof(T)];
        if (!Read(offset, raw, sizeof raw)) {
            return std::nullopt;
        }
        T value = 0;
        for (std::size_t i = sizeof(T); i > 0; --i) {
            value = static_cast<T>((value << 8) | raw[i - 1]);
        }
        return value;
    }

    template <typename T>
    std::optional<T> Number(std::uint64_t offset, bool bigEndian) const {
        if (!bigEndian) {
            return Little<T>(offset);
        }
        unsigned char raw[sizeof(T)];
        if (!Read(offset, raw, sizeof raw)) {
            return std::nullopt;
        }
        T value = 0;
        for (unsigned char b : raw) {
            value = static_cast<T>((value << 8) | b);
        }
        return value;
    }

  private:
    std::uint64_t m_size;
    Reader m_reader;
};

// --- PE: the resource directory -------------------------------------------

constexpr std::uint32_t kRtVersion = 16;
constexpr std::uint32_t kSubdirectoryFlag = 0x80000000u;

struct Section {
    std::uint32_t virtualAddress;
    std::uint32_t virtualSize;
    std::uint32_t rawSize;
    std::uint32_t rawOffset;
};

std::optional<std::uint64_t> RvaToOffset(const std::vector<Section>& sections, std::uint32_t rva,
                                         std::uint64_t size) {
    for (const auto& s : sections) {
        std::uint64_t span = std::max(s.virtualSize, s.rawSize);
        if (rva >= s.virtualAddress && rva - s.virtualAddress < span) {
            std::uint64_t into = rva - s.virtualAddress;
            if (into > s.rawSize || size > s.rawSize - into) {
                return std::nullopt;  // not backed by file data
            }
            return s.rawOffset + into;
        }
    }
    return std::nullopt;
}

struct ResourceEntry {
    bool isId;
    std::uint32_t name;
    std::uint32_t target;
};

// The entries of one directory of the resource tree. Offsets are relative to
// the resource section start; the tree has exactly three levels, so a
// directory that points back at itself cannot make the walk loop.
std::optional<std::vector<ResourceEntry>> ResourceEntries(const ByteSource& src, std::uint64_t base,
                                                          std::uint64_t rsrcSize,
                                                          std::uint32_t directory) {
    if (directory > rsrcSize || rsrcSize - directory < 16) {
        return std::nullopt;
    }
    auto named = src.Little<std::uint16_t>(base + directory + 12);
    auto ids = src.Little<std::uint16_t>(base + directory + 14);
    if (!named || !ids) {
        return std::nullopt;
    }
    std::uint64_t count = std::uint64_t{*named} + *ids;
    std::uint64_t first = directory + 16;
    if (count * 8 > rsrcSize - first) {
        return std::nullopt;
    }
    std::vector<ResourceEntry> entries;
    for (std::uint64_t i = 0; i < count; ++i) {
        auto name = src.Little<std::uint32_t>(base + first + i * 8);
        auto target = src.Little<std::uint32_t>(base + first + i * 8 + 4);
        if (!name || !target) {
            return std::nullopt;
        }
        entries.push_back({i >= *named, *name, *target});
    }
    return entries;
}

// The language the system's lookup takes when a program asks for none: the
// neutral one, the user's, English, and otherwise the first there is.
std::optional<std::uint32_t> PreferredLanguage(const std::vector<ResourceEntry>& languages) {
    std::vector<std::uint32_t> preferred{0x0000};
    if (auto user = UserInterfaceLanguage()) {
        preferred.push_back(*user);
        preferred.push_back(*user & 0x3FFu);  // its primary language alone
    }
    preferred.push_back(0x0409);
    preferred.push_back(0x0009);
    for (std::uint32_t language : preferred) {
        for (const auto& entry : languages) {
            if (entry.isId && entry.name == language) {
                return entry.target;
            }
        }
    }
    if (languages.empty()) {
        return std::nullopt;
    }
    return languages.front().target;
}

std::optional<std::string> PeVersionBlock(const ByteSource& src) {
    auto peOffset = src.Little<std::uint32_t>(0x3C);
    auto signature = peOffset ? src.Little<std::uint32_t>(*peOffset) : std::nullopt;
    if (!signature || *signature != 0x00004550) {  // "PE\0\0"
        return std::nullopt;
    }
    std::uint64_t coff = *peOffset + 4ull;
    auto sectionCount = src.Little<std::uint16_t>(coff + 2);
    auto optionalSize = src.Little<std::uint16_t>(coff + 16);
    std::uint64_t optional = coff + 20;
    auto magic = src.Little<std::uint16_t>(optional);
    if (!sectionCount || !optionalSize || !magic) {
        return std::nullopt;
    }
    std::uint64_t dirCountAt;
    if (*magic == 0x10B) {
        dirCountAt = 92;
    } else if (*magic == 0x20B) {
        dirCountAt = 108;
    } else {
        return std::nullopt;
    }
    auto dirCount = src.Little<std::uint32_t>(optional + dirCountAt);
    std::uint64_t resourceDirAt = dirCountAt + 4 + 2 * 8;
    if (!dirCount || *dirCount < 3 || resourceDirAt + 8 > *optionalSize) {
        return std::nullopt;
    }
    auto rsrcRva = src.Little<std::uint32_t>(optional + resourceDirAt);
    auto rsrcSize = src.Little<std::uint32_t>(optional + resourceDirAt + 4);
    if (!rsrcRva || !rsrcSize || *rsrcRva == 0) {
        return std::nullopt;
    }

    std::vector<Section> sections;
    std::uint64_t table = optional + *optionalSize;
    for (std::uint16_t i = 0; i < *sectionCount; ++i) {
        std::uint64_t at = table + i * 40ull;
        auto vsize = src.Little<std::uint32_t>(at + 8);
        auto va = src.Little<std::uint32_t>(at + 12);
        auto rawSize = src.Little<std::uint32_t>(at + 16);
        auto rawOffset = src.Little<std::uint32_t>(at + 20);
        if (!vsize || !va || !rawSize || !rawOffset) {
            return std::nullopt;
        }
        sections.push_back({*va, *vsize, *rawSize, *rawOffset});
    }
    auto base = RvaToOffset(sections, *rsrcRva, *rsrcSize);
    if (!base) {
        return std::nullopt;
    }

    // Type RT_VERSION, then the first name, then the language the system
    // would take.
    auto types = ResourceEntries(src, *base, *rsrcSize, 0);
    if (!types) {
        return std::nullopt;
    }
    std::optional<std::uint32_t> version;
    for (const auto& entry : *types) {
        if (entry.isId && entry.name == kRtVersion) {
            version = entry.target;
            break;
        }
    }
    if (!version || !(*version & kSubdirectoryFlag)) {
        return std::nullopt;
    }
    auto names = ResourceEntries(src, *base, *rsrcSize, *version & ~kSubdirectoryFlag);
    if (!names || names->empty() || !(names->front().target & kSubdirectoryFlag)) {
        return std::nullopt;
    }
    auto languages =
        ResourceEntries(src, *base, *rsrcSize, names->front().target & ~kSubdirectoryFlag);
    auto language = languages ? PreferredLanguage(*languages) : std::nullopt;
    if (!language || (*language & kSubdirectoryFlag) || *language > *rsrcSize ||
        *rsrcSize - *language < 16) {
        return std::nullopt;
    }
    auto dataRva = src.Little<std::uint32_t>(*base + *language);
    auto dataSize = src.Little<std::uint32_t>(*base + *language + 4);
    if (!dataRva || !dataSize || *dataSize == 0) {
        return std::nullopt;
    }
    std::uint64_t size = std::min<std::uint64_t>(*dataSize, kMaxBlockSize);
    auto offset = RvaToOffset(sections, *dataRva, size);
    if (!offset) {
        return std::nullopt;
    }
    return src.Bytes(*offset, size);
}

// --- ELF: the ".vs_version_info" section ------------------------------------

std::optional<std::string> ElfVersionBlock(const ByteSource& src) {
    unsigned char ident[16];
    if (!src.Read(0, ident, sizeof ident) || std::memcmp(ident,
                                                         "\x7f"
                                                         "ELF",
                                                         4) != 0) {
        return std::nullopt;
    }
    bool is64 = ident[4] == 2;
    bool big = ident[5] == 2;
    if ((ident[4] != 1 && ident[4] != 2) || (ident[5] != 1 && ident[5] != 2)) {
        return std::nullopt;
    }
    auto word = [&](std::uint64_t at) { return src.Number<std::uint32_t>(at, big); };
    auto half = [&](std::uint64_t at) { return src.Number<std::uint16_t>(at, big); };
    auto addr = [&](std::uint64_t at) -> std::optional<std::uint64_t> {
        if (is64) {
            return src.Number<std::uint64_t>(at, big);
        }
        auto v = word(at);
        return v ? std::optional<std::uint64_t>(*v) : std::nullopt;
    };

    auto shoff = addr(is64 ? 0x28 : 0x20);
    auto shentsize = half(is64 ? 0x3A : 0x2E);
    auto shnum = half(is64 ? 0x3C : 0x30);
    auto shstrndx = half(is64 ? 0x3E : 0x32);
    if (!shoff || !shentsize || !shnum || !shstrndx) {
        return std::nullopt;
    }
    std::uint64_t entSize = *shentsize;
    if (entSize < (is64 ? 0x40u : 0x28u) || *shoff == 0) {
        return std::nullopt;
    }
    struct Header {
        std::uint32_t name, type;
        std::uint64_t offset, size;
        std::uint32_t link;
    };
    auto header = [&](std::uint64_t index) -> std::optional<Header> {
        std::uint64_t at = *shoff + index * entSize;
        auto name = word(at);
        auto type = word(at + 4);
        auto offset = addr(is64 ? at + 0x18 : at + 0x10);
        auto size = addr(is64 ? at + 0x20 : at + 0x14);
        auto link = word(is64 ? at + 0x28 : at + 0x18);
        if (!name || !type || !offset || !size || !link) {
            return std::nullopt;
        }
        return Header{*name, *type, *offset, *size, *link};
    };
    // Large section counts and string-table indexes live in section 0.
    std::uint64_t count = *shnum;
    std::uint64_t strIndex = *shstrndx;
    if (count == 0 || strIndex == 0xFFFF) {
        auto first = header(0);
        if (!first) {
            return std::nullopt;
        }
        if (count == 0) {
            count = first->size;
        }
        if (strIndex == 0xFFFF) {
            strIndex = first->link;
        }
    }
    if (strIndex >= count) {
        return std::nullopt;
    }
    auto strtab = header(strIndex);
    if (!strtab) {
        return std::nullopt;
    }
    static constexpr std::string_view kName = ".vs_version_info";
    for (std::uint64_t i = 0; i < count; ++i) {
        auto section = header(i);
        if (!section) {
            return std::nullopt;  // the table runs past the end of the file
        }
        if (section->name >= strtab->size || strtab->size - section->name < kName.size() + 1) {
            continue;
        }
        auto name = src.Bytes(strtab->offset + section->name, kName.size() + 1);
        if (!name || std::string_view(*name) != std::string(kName) + '\0') {
            continue;
        }
        constexpr std::uint32_t kNoBits = 8;
        if (section->type == kNoBits || section->size == 0) {
            return std::nullopt;
        }
        return src.Bytes(section->offset, std::min(section->size, kMaxBlockSize));
    }
    return std::nullopt;
}

std::optional<std::string> VersionBlockOf(const ByteSource& src) {
    unsigned char magic[4];
    if (!src.Read(0, magic, sizeof magic)) {
        return std::nullopt;
    }
    if (magic[0] == 'M' && magic[1] == 'Z') {
        return PeVersionBlock(src);
    }
    if (std::memcmp(magic,
                    "\x7f"
                    "ELF",
                    4) == 0) {
        return ElfVersionBlock(src);
    }
    return std::nullopt;
}

// --- the block's node tree ----------------------------------------------------

struct Node {
    std::size_t begin = 0;       // offset of wLength
    std::size_t end = 0;         // one past the node
    std::u16string key;          // without its terminating zero
    std::size_t valueBegin = 0;  // the value's bytes
    std::size_t valueEnd = 0;
    std::size_t childrenBegin = 0;
};

std::size_t Align4(std::size_t offset) {
    return (offset + 3) & ~std::size_t{3};
}

std::uint16_t Word(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

// Parses the node at `begin` that must end by `limit`.
std::optional<Node> ParseNode(std::string_view bytes, std::size_t begin, std::size_t limit) {
    if (begin > limit || limit - begin < 6) {
        return std::nullopt;
    }
    std::size_t length = Word(bytes, begin);
    std::size_t valueLength = Word(bytes, begin + 2);
    std::uint16_t type = Word(bytes, begin + 4);
    if (length < 6 || length > limit - begin) {
        return std::nullopt;
    }
    Node node;
    node.begin = begin;
    node.end = begin + length;
    std::size_t at = begin + 6;
    for (;;) {
        if (node.end - at < 2) {
            return std::nullopt;  // key without its terminating zero
        }
        char16_t c = static_cast<char16_t>(Word(bytes, at));
        at += 2;
        if (c == 0) {
            break;
        }
        node.key += c;
    }
    node.valueBegin = std::min(Align4(at), node.end);
    // Text values count 16-bit characters, binary ones bytes.
    std::size_t valueBytes = type == 1 ? valueLength * 2 : valueLength;
    node.valueEnd = node.valueBegin + std::min(valueBytes, node.end - node.valueBegin);
    node.childrenBegin = std::min(Align4(node.valueEnd), node.end);
    return node;
}

bool SameKey(std::u16string_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    auto fold = [](std::uint32_t c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(static_cast<std::uint32_t>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::optional<Node> FindPath(std::string_view bytes, std::wstring_view subBlock) {
    auto node = ParseNode(bytes, 0, bytes.size());
    std::size_t pos = 0;
    while (node) {
        while (pos < subBlock.size() && subBlock[pos] == L'\\') {
            ++pos;
        }
        if (pos == subBlock.size()) {
            return node;
        }
        auto next = subBlock.find(L'\\', pos);
        auto part = subBlock.substr(pos, next == std::wstring_view::npos ? next : next - pos);
        pos = next == std::wstring_view::npos ? subBlock.size() : next;

        std::optional<Node> found;
        for (std::size_t at = node->childrenBegin; at < node->end;) {
            auto child = ParseNode(bytes, at, node->end);
            if (!child) {
                break;
            }
            if (SameKey(child->key, part)) {
                found = child;
                break;
            }
            at = Align4(child->end);
        }
        node = found;
    }
    return std::nullopt;
}

// The headers are read a field at a time: one window of the file serves
// the fields that lie close together (a section table, its names) with one
// system call instead of one each.
class FileWindow {
  public:
    FileWindow(const UniqueFile& file, std::uint64_t fileSize)
        : m_file(file), m_fileSize(fileSize) {}

    bool Read(std::uint64_t offset, void* out, std::size_t count) {
        if (count > kWindowBytes) {
            return ReadAll(m_file, out, count, offset);
        }
        if (offset < m_start || offset - m_start > m_bytes.size() ||
            count > m_bytes.size() - (offset - m_start)) {
            // The caller checked offset + count against the file's size.
            m_bytes.resize(static_cast<std::size_t>(
                std::min<std::uint64_t>(kWindowBytes, m_fileSize - offset)));
            if (m_bytes.size() < count ||
                !ReadAll(m_file, m_bytes.data(), m_bytes.size(), offset)) {
                // A file cut short since: what the caller asked may still be there.
                m_bytes.clear();
                return ReadAll(m_file, out, count, offset);
            }
            m_start = offset;
        }
        std::memcpy(out, m_bytes.data() + (offset - m_start), count);
        return true;
    }

  private:
    static constexpr std::size_t kWindowBytes = 16 * 1024;
    const UniqueFile& m_file;
    std::uint64_t m_fileSize;
    std::uint64_t m_start = 0;
    std::vector<char> m_bytes;
};

}  // namespace

std::optional<std::string> ExtractVersionBlock(std::string_view image) {
    ByteSource src(image.size(), [image](std::uint64_t offset, void* out, std::size_t size) {
        std::memcpy(out, image.data() + offset, size);
        return true;
    });
    return VersionBlockOf(src);
}

std::optional<VersionInfoBlock> VersionInfoBlock::ReadWithOwnReader(std::wstring_view path) {
    auto file = OpenForReading(path);
    if (!file.IsValid()) {
        return std::nullopt;
    }
    auto size = RegularFileSize(file);
    if (!size) {
        return std::nullopt;
    }
    FileWindow window(file, *size);
    ByteSource src(*size, [&window](std::uint64_t offset, void* out, std::size_t count) {
        return window.Read(offset, out, count);
    });
    auto block = VersionBlockOf(src);
    if (!block) {
        return std::nullopt;
    }
    return VersionInfoBlock(std::move(*block));
}

std::optional<std::string_view> VersionInfoBlock::Value(std::wstring_view subBlock) const {
    auto node = FindPath(m_bytes, subBlock);
    if (!node) {
        return std::nullopt;
    }
    return std::string_view(m_bytes).substr(node->valueBegin, node->valueEnd - node->valueBegin);
}

std::optional<std::wstring> VersionInfoBlock::Text(std::wstring_view subBlock) const {
    auto value = Value(subBlock);
    if (!value) {
        return std::nullopt;
    }
    std::wstring text;
    for (std::size_t at = 0; at + 1 < value->size(); at += 2) {
        char32_t c = Word(*value, at);
        if (c == 0) {
            break;
        }
        // A 16-bit wchar_t keeps the pair as it is.
        if (sizeof(wchar_t) > 2 && c >= 0xD800 && c <= 0xDBFF && at + 3 < value->size()) {
            char32_t low = Word(*value, at + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                at += 2;
            }
        }
        text += static_cast<wchar_t>(c);
    }
    return text;
}

}  // namespace platform
