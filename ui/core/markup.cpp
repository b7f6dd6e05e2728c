#include "ui/core/markup.h"

#include <array>
#include <bit>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <utility>

#include "platform/text/text_codec.h"
#include "ui/core/markup_decode.h"
#include "ui/core/resource_settings.h"

namespace VantuUI {

namespace {

constexpr std::uint32_t kInitialCapacity = 500;

inline std::uint32_t Code(char c) {
    return static_cast<unsigned char>(c);
}

// Whitespace is every character up to U+0020, control characters included.
inline void SkipWhitespace(char*& p) {
    while (*p != 0 && Code(*p) <= 0x20) {
        ++p;
    }
}

inline void SkipWhitespace(const char*& p, const char* end) {
    while (p < end && *p != 0 && Code(*p) <= 0x20) {
        ++p;
    }
}

// Bytes of the character at `p`: a malformed sequence counts its first byte
// alone, as the widening reads it. The text's NUL ends any sequence.
inline int CharLength(const char* p) {
    if (Code(*p) < 0x80) {
        return 1;
    }
    char32_t c;
    const auto* bytes = reinterpret_cast<const unsigned char*>(p);
    const int length = platform::DecodeUtf8Sequence(bytes, bytes + 4, c);
    return length == 0 ? 1 : length;
}

// What each byte is to a name: looked up rather than compared, as names are
// most of what a start tag holds. Past ASCII the whole character decides.
enum NameByte : std::uint8_t { kNotName, kName, kMaybeName };
constexpr auto kNameBytes = [] {
    std::array<NameByte, 256> table{};
    for (unsigned c = 0; c < 256; ++c) {
        const bool name = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '_' || c == ':';
        table[c] = c >= 0x80 ? kMaybeName : name ? kName : kNotName;
    }
    return table;
}();

// Letters and digits as the wide-character classification says: bytes of
// the name character at `p`, 0 when none starts there.
int WideNameCharLength(const char* p) {
    char32_t c;
    const auto* bytes = reinterpret_cast<const unsigned char*>(p);
    const int length = platform::DecodeUtf8Sequence(bytes, bytes + 4, c);
    // A 16-bit wide character holds no code point past U+FFFF alone.
    if (length == 0 || (sizeof(wchar_t) < 4 && c > 0xFFFF) ||
        std::iswalnum(static_cast<wint_t>(c)) == 0) {
        return 0;
    }
    return length;
}

// Letters, digits, "_" and ":": steps over a name.
inline char* SkipName(char* p) {
    for (;;) {
        const NameByte kind = kNameBytes[Code(*p)];
        if (kind == kName) {
            ++p;
            continue;
        }
        const int length = kind == kMaybeName ? WideNameCharLength(p) : 0;
        if (length == 0) {
            return p;
        }
        p += length;
    }
}

// Reads one entity at `p` (on its "&") and writes its character. An unknown
// one gives a plain "&" and the text after it is read as it stands.
inline void DecodeEntity(char*& p, char*& dest) {
    ++p;
    if (p[0] == 'a' && p[1] == 'm' && p[2] == 'p' && p[3] == ';') {
        *dest++ = '&';
        p += 4;
    } else if (p[0] == 'l' && p[1] == 't' && p[2] == ';') {
        *dest++ = '<';
        p += 3;
    } else if (p[0] == 'g' && p[1] == 't' && p[2] == ';') {
        *dest++ = '>';
        p += 3;
    } else if (p[0] == 'q' && p[1] == 'u' && p[2] == 'o' && p[3] == 't' && p[4] == ';') {
        *dest++ = '"';
        p += 5;
    } else if (p[0] == 'a' && p[1] == 'p' && p[2] == 'o' && p[3] == 's' && p[4] == ';') {
        *dest++ = '\'';
        p += 5;
    } else {
        *dest++ = '&';
    }
}

// Where decoding character data stopped: the text's cursor and the write
// position behind it.
struct DataEnd {
    char* text;
    char* written;
};

constexpr std::uint64_t kLowBits = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// The high bit of each zero byte of `v`. Above the first zero byte a bit
// may be set wrongly, never below it. Bytes of 0x80 and above never count.
inline std::uint64_t ZeroBytes(std::uint64_t v) {
    return (v - kLowBits) & ~v & kHighBits;
}

// The characters that end a plain run of character data: the end character,
// "&", a blank when whitespace collapses, and the end of the text.
class RunStops {
  public:
    RunStops(char end, bool collapse)
        : m_end(kLowBits * Code(end)), m_blank(collapse ? kLowBits * ' ' : 0) {}

    // The first stop at or after `p`, eight bytes at a time: the text's
    // padding keeps the reads inside it. Every byte of a sequence past ASCII
    // is 0x80 or above, so such bytes never stop a run.
    char* Next(char* p) const {
        for (;;) {
            std::uint64_t v;
            std::memcpy(&v, p, sizeof v);
            if (const std::uint64_t hits = In(v); hits != 0) {
                return p + std::countr_zero(hits) / 8;
            }
            p += sizeof v;
        }
    }

    // The stops among eight bytes: the lowest set bit marks the first.
    std::uint64_t In(std::uint64_t v) const {
        std::uint64_t hits = ZeroBytes(v) | ZeroBytes(v ^ m_end) | ZeroBytes(v ^ kAmpersands);
        if (m_blank != 0) {
            hits |= ZeroBytes(v ^ m_blank);
        }
        return hits;
    }

  private:
    static constexpr std::uint64_t kAmpersands = kLowBits * '&';
    std::uint64_t m_end;
    std::uint64_t m_blank;  // 0 when blanks do not stop a run
};
static_assert(std::endian::native == std::endian::little, "the first byte is the lowest");

// Moves the run at `p` back to `dest`, up to the next stop, a word at a
// time: a whole word read is already behind the next read, so storing it
// cannot overwrite text still to be read. Returns where the stop was.
inline char* MoveRun(const RunStops& stops, char*& dest, char* p) {
    for (;;) {
        std::uint64_t v;
        std::memcpy(&v, p, sizeof v);
        const std::uint64_t hits = stops.In(v);
        if (hits != 0) {
            // The bytes before the stop only: the rest is still to be read.
            for (int n = std::countr_zero(hits) / 8; n > 0; --n) {
                *dest++ = static_cast<char>(v);
                v >>= 8;
                ++p;
            }
            return p;
        }
        std::memcpy(dest, &v, sizeof v);
        dest += sizeof v;
        p += sizeof v;
    }
}

// Decodes character data in place from `p` up to `end` (or the end of the
// text), moving it back over what entities and collapsed blanks saved. What
// decoding saved is blanked, so that the attribute mapping later sees only
// blanks there.
inline DataEnd DecodeData(char* p, char end, bool collapse) {
    const RunStops stops(end, collapse);
    // Until the first entity (or collapsed blank) the text stays in place.
    p = stops.Next(p);
    char* dest = p;
    for (;;) {
        if (*p == '&') {
            DecodeEntity(p, dest);
        } else if (*p == ' ') {
            *dest++ = ' ';
            ++p;
            SkipWhitespace(p);
        } else {
            break;  // the end, or the end of the text
        }
        p = MoveRun(stops, dest, p);
    }
    std::memset(dest, ' ', static_cast<std::size_t>(p - dest));
    return {p, dest};
}

void CopyBounded(wchar_t* target, std::size_t capacity, const wchar_t* source) {
    std::size_t i = 0;
    if (source != nullptr) {
        for (; i + 1 < capacity && source[i] != 0; ++i) {
            target[i] = source[i];
        }
    }
    target[i] = 0;
}

const wchar_t* ReadFailureMessage(SkinReadResult result) {
    switch (result) {
        case SkinReadResult::Ok:
            break;
        case SkinReadResult::CannotOpenFile:
            return L"Error opening file";
        case SkinReadResult::Empty:
            return L"File is empty";
        case SkinReadResult::TooLarge:
            return L"File too large";
        case SkinReadResult::CannotReadFile:
            return L"Could not read file";
        case SkinReadResult::NoArchive:
            return L"Error opening zip file";
        case SkinReadResult::NotInArchive:
            return L"Could not find ziped file";
        case SkinReadResult::CannotUnzip:
            return L"Could not unzip file";
    }
    return L"";
}

}  // namespace

// ---- CMarkupElement ----

bool CMarkupElement::IsValid() const {
    return m_doc != nullptr;
}

bool CMarkupElement::Exists() const {
    return m_doc != nullptr && m_index != 0 && m_index < m_doc->m_count;
}

const wchar_t* CMarkupElement::Text(std::uint32_t offset) const {
    return m_doc->Wide(m_index, offset);
}

const wchar_t* CMarkupElement::GetName() const {
    return Exists() ? Text(m_doc->m_elements[m_index].start) : nullptr;
}

CMarkupElement CMarkupElement::FirstChild() const {
    if (!Exists() || m_doc->m_elements[m_index].child == 0) {
        return {};
    }
    return {m_doc, m_doc->m_elements[m_index].child};
}

CMarkupElement CMarkupElement::NextSibling() const {
    if (!Exists() || m_doc->m_elements[m_index].next == 0) {
        return {};
    }
    return {m_doc, m_doc->m_elements[m_index].next};
}

bool CMarkupElement::HasChildren() const {
    return Exists() && m_doc->m_elements[m_index].child != 0;
}

bool CMarkupElement::HasAttributes() {
    return GetAttributeCount() > 0;
}

int CMarkupElement::GetAttributeCount() {
    if (!Exists()) {
        return 0;
    }
    MapAttributes();
    return m_attributeCount;
}

const wchar_t* CMarkupElement::GetAttributeName(int index) {
    if (!Exists()) {
        return nullptr;
    }
    MapAttributes();
    return index >= 0 && index < m_attributeCount ? Text(m_attributes[index].name) : L"";
}

const wchar_t* CMarkupElement::GetAttributeValue(int index) {
    if (!Exists()) {
        return nullptr;
    }
    MapAttributes();
    return index >= 0 && index < m_attributeCount ? Text(m_attributes[index].value) : L"";
}

bool CMarkupElement::GetAttributeValue(const wchar_t* name, wchar_t* buffer, std::size_t max) {
    if (!Exists() || name == nullptr || (buffer == nullptr && max > 0)) {
        return false;
    }
    MapAttributes();
    for (int i = 0; i < m_attributeCount; ++i) {
        if (std::wcscmp(Text(m_attributes[i].name), name) == 0) {
            if (max > 0) {
                std::wcsncpy(buffer, Text(m_attributes[i].value), max);
            }
            return true;
        }
    }
    return false;
}

void CMarkupElement::MapAttributes() {
    if (m_mapped) {
        return;
    }
    m_mapped = true;
    m_attributeCount = m_doc->MapStartTag(m_index, m_attributes, kMaxAttributes);
}

// ---- CMarkupDoc ----

CMarkupDoc::CMarkupDoc() = default;

CMarkupDoc::CMarkupDoc(const wchar_t* xml) {
    if (xml != nullptr) {
        LoadText(xml);
    }
}

CMarkupDoc::~CMarkupDoc() = default;

void CMarkupDoc::Clear() {
    m_text.reset();
    m_size = 0;
    m_wide.reset();
    m_widened.clear();
    m_widened.shrink_to_fit();
    m_elements.clear();
    m_elements.shrink_to_fit();
    m_count = 0;
}

CMarkupElement CMarkupDoc::RootElement() {
    if (m_count < 2) {
        return {};
    }
    return {this, 1};
}

bool CMarkupDoc::LoadText(const wchar_t* text) {
    Clear();
    MarkupBytes bytes = EncodeMarkupText(text);
    m_text = std::move(bytes.text);
    m_size = bytes.size;
    if (!Parse()) {
        Clear();
        return false;
    }
    return true;
}

bool CMarkupDoc::LoadBuffer(const void* bytes, std::size_t size, MarkupEncoding encoding) {
    Clear();
    MarkupBytes text = ReadMarkupBytes(static_cast<const unsigned char*>(bytes), size, encoding);
    if (text.text == nullptr) {
        return Fail(L"Expected byte-order mark", nullptr);
    }
    // Offsets are 32-bit; files are capped far below that.
    if (text.size >= UINT32_MAX) {
        return Fail(L"File too large", nullptr);
    }
    m_text = std::move(text.text);
    m_size = text.size;
    if (!Parse()) {
        Clear();
        return false;
    }
    return true;
}

bool CMarkupDoc::LoadFile(std::wstring_view name, MarkupEncoding encoding) {
    Clear();
    std::vector<unsigned char> bytes;
    SkinReadResult result = CResourceSettings::ReadSkinFile(name, kMaxFileSize, bytes);
    if (result != SkinReadResult::Ok) {
        return Fail(ReadFailureMessage(result), nullptr);
    }
    return LoadBuffer(bytes.data(), bytes.size(), encoding);
}

bool CMarkupDoc::Fail(const wchar_t* message, const char* location) {
    CopyBounded(m_errorMessage, std::size(m_errorMessage), message);
    m_errorLocation[0] = 0;
    if (location != nullptr) {
        WidenMarkupText(location, m_errorLocation, std::size(m_errorLocation) - 1);
    }
    Clear();
    return false;
}

std::uint32_t CMarkupDoc::NewElement() {
    if (m_count == m_elements.size()) {
        std::size_t capacity = m_elements.size();
        m_elements.resize(capacity == 0 ? kInitialCapacity : capacity + capacity / 2 + 500);
    }
    return m_count++;
}

// Walks the start tag from the end of the element name to the data offset:
// by then every name and value is NUL-terminated and the rest is blanks.
int CMarkupDoc::MapStartTag(std::uint32_t index, CMarkupElement::Attribute* out, int max) const {
    const Element& element = m_elements[index];
    const char* base = m_text.get();
    const char* end = base + element.data;
    const char* p = base + element.start;
    int count = 0;
    while (p < end && *p != 0) {
        ++p;
    }
    ++p;  // the name's NUL
    while (p < end && count < max) {
        SkipWhitespace(p, end);
        const char* name = p;
        while (p < end && *p != 0) {
            ++p;
        }
        ++p;
        SkipWhitespace(p, end);
        if (p >= end || *p != '"') {
            break;
        }
        ++p;
        out[count++] = {static_cast<std::uint32_t>(name - base),
                        static_cast<std::uint32_t>(p - base)};
        while (p < end && *p != 0) {
            ++p;
        }
        ++p;
    }
    return count;
}

const wchar_t* CMarkupDoc::Wide(std::uint32_t index, std::uint32_t offset) {
    if (m_wide == nullptr) {
        // Left unset: only the pages of strings asked for are ever touched.
        m_wide.reset(new wchar_t[m_size + 1]);
        m_widened.assign(m_count, false);
    }
    if (!m_widened[index]) {
        m_widened[index] = true;
        const std::uint32_t start = m_elements[index].start;
        WidenMarkupText(m_text.get() + start, m_wide.get() + start);
        CMarkupElement::Attribute attributes[CMarkupElement::kMaxAttributes];
        const int count = MapStartTag(index, attributes, CMarkupElement::kMaxAttributes);
        for (int i = 0; i < count; ++i) {
            WidenMarkupText(m_text.get() + attributes[i].name, m_wide.get() + attributes[i].name);
            WidenMarkupText(m_text.get() + attributes[i].value, m_wide.get() + attributes[i].value);
        }
    }
    return m_wide.get() + offset;
}

// One pass over the text. Nesting is kept on an explicit stack, so deep
// documents cannot exhaust the call stack.
bool CMarkupDoc::Parse() {
    m_count = 0;
    NewElement();  // record 0 is reserved
    m_elements[0] = {};
    m_errorMessage[0] = 0;
    m_errorLocation[0] = 0;

    struct Open {
        std::uint32_t index;
        char* nameEnd;
        char* contentEnd;  // where the element's decoded text ends
        std::uint32_t lastChild;
    };
    std::vector<Open> open;
    std::uint32_t lastTopLevel = 0;
    char* p = m_text.get();
    SkipWhitespace(p);
    for (;;) {
        const std::uint32_t parent = open.empty() ? 0 : open.back().index;
        bool levelEnds = false;
        if (*p == 0 && parent <= 1) {
            // The root and its children may stand without end tags at the end.
            levelEnds = true;
        } else {
            SkipWhitespace(p);
            if (*p != '<') {
                return Fail(L"Expected start tag", p);
            }
            levelEnds = p[1] == '/';
        }
        if (levelEnds) {
            if (open.empty()) {
                return true;
            }
            Open element = open.back();
            open.pop_back();
            if (p[0] == '<' && p[1] == '/') {
                *element.contentEnd = 0;
                *p = 0;
                p += 2;
                SkipWhitespace(p);
                // Byte for byte: equal UTF-8 is equal text, as names hold
                // well-formed characters only.
                const char* name = m_text.get() + m_elements[element.index].start;
                const auto length = static_cast<std::size_t>(element.nameEnd - name);
                for (std::size_t i = 0; i < length; ++i) {
                    if (p[i] != name[i]) {
                        return Fail(L"Unmatched closing tag", p);
                    }
                }
                p += length;
                SkipWhitespace(p);
                if (*p != '>') {
                    return Fail(L"Unmatched closing tag", p);
                }
                ++p;
            }
            *element.nameEnd = 0;
            SkipWhitespace(p);
            continue;
        }

        *p = 0;
        ++p;
        SkipWhitespace(p);
        if (*p == '!' || *p == '?') {
            // A comment ends at the first "->", a processing instruction at "?>".
            const char first = *p == '!' ? '-' : '?';
            ++p;
            while (*p != 0 && !(p[0] == first && p[1] == '>')) {
                ++p;
            }
            if (*p != 0) {
                p += 2;
            }
            SkipWhitespace(p);
            continue;
        }
        SkipWhitespace(p);

        const std::uint32_t index = NewElement();
        m_elements[index] = {Offset(p), 0, 0, parent, 0};
        std::uint32_t& previous = open.empty() ? lastTopLevel : open.back().lastChild;
        if (previous != 0) {
            m_elements[previous].next = index;
        } else if (parent != 0) {
            m_elements[parent].child = index;
        }
        previous = index;

        p = SkipName(p);
        if (*p == 0) {
            return Fail(L"Error parsing element name", p);
        }
        char* nameEnd = p;
        if (!ParseAttributes(p)) {
            return false;
        }
        SkipWhitespace(p);
        if (p[0] == '/' && p[1] == '>') {
            m_elements[index].data = Offset(p);
            *p = 0;
            p += 2;
            *nameEnd = 0;
            SkipWhitespace(p);
            continue;
        }
        if (*p != '>') {
            return Fail(L"Expected start-tag closing", p);
        }
        ++p;
        m_elements[index].data = Offset(p);
        const DataEnd content = DecodeData(p, '<', !m_preserveWhitespace);
        p = content.text;
        char* contentEnd = content.written;
        if (*p == 0) {
            if (parent > 1) {
                return Fail(L"Expected end-tag start", p);
            }
            *nameEnd = 0;
            continue;  // the level sees the end of the text and ends
        }
        // Children, or this element's own end tag, follow.
        open.push_back({index, nameEnd, contentEnd, 0});
    }
}

bool CMarkupDoc::ParseAttributes(char*& text) {
    // A local cursor: stores through the characters cannot be taken to move it.
    char* p = text;
    const bool collapse = !m_preserveWhitespace;
    if (*p == '>') {
        return true;
    }
    if (!(p[0] == '/' && p[1] == '>')) {
        // The character after the name ends it; all its bytes go, so that the
        // attribute mapping sees no stray part of it.
        const int length = CharLength(p);
        *p++ = 0;
        for (int i = 1; i < length; ++i) {
            *p++ = ' ';
        }
    }
    SkipWhitespace(p);
    while (*p != 0 && *p != '>' && *p != '/') {
        char* nameEnd = SkipName(p);
        p = nameEnd;
        SkipWhitespace(p);
        if (*p != '=') {
            return Fail(L"Error while parsing attributes", p);
        }
        *p = ' ';
        ++p;
        *nameEnd = 0;
        SkipWhitespace(p);
        if (*p != '"') {
            return Fail(L"Expected attribute value", *p != 0 ? p + CharLength(p) : p);
        }
        const DataEnd value = DecodeData(p + 1, '"', collapse);
        p = value.text;
        if (*p == 0) {
            return Fail(L"Error while parsing attribute string", p);
        }
        *value.written = 0;
        if (value.written != p) {
            *p = ' ';
        }
        ++p;
        SkipWhitespace(p);
    }
    text = p;
    return true;
}

}  // namespace VantuUI
