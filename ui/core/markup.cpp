#include "ui/core/markup.h"

#include <array>
#include <cstring>
#include <cwchar>
#include <cwctype>

#include "ui/core/markup_decode.h"
#include "ui/core/resource_settings.h"

namespace VantuUI {

namespace {

constexpr std::uint32_t kInitialCapacity = 500;

// Whitespace is every character up to U+0020, control characters included.
inline void SkipWhitespace(wchar_t*& p) {
    while (*p != 0 && static_cast<std::uint32_t>(*p) <= 0x20) {
        ++p;
    }
}

inline void SkipWhitespace(const wchar_t*& p, const wchar_t* end) {
    while (p < end && *p != 0 && static_cast<std::uint32_t>(*p) <= 0x20) {
        ++p;
    }
}

// The ASCII name characters, looked up rather than compared: names are
// most of what a start tag holds.
constexpr auto kAsciiNameChars = [] {
    std::array<bool, 0x80> table{};
    for (unsigned c = 0; c < 0x80; ++c) {
        table[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '_' || c == ':';
    }
    return table;
}();

// Letters and digits as the wide-character classification says, "_" and ":".
inline bool IsNameChar(wchar_t c) {
    auto code = static_cast<std::uint32_t>(c);
    if (code < 0x80) {
        return kAsciiNameChars[code];
    }
    return std::iswalnum(static_cast<wint_t>(c)) != 0;
}

// Reads one entity at `p` (on its "&") and writes its character. An unknown
// one gives a plain "&" and the text after it is read as it stands.
inline void DecodeEntity(wchar_t*& p, wchar_t*& dest) {
    ++p;
    if (p[0] == L'a' && p[1] == L'm' && p[2] == L'p' && p[3] == L';') {
        *dest++ = L'&';
        p += 4;
    } else if (p[0] == L'l' && p[1] == L't' && p[2] == L';') {
        *dest++ = L'<';
        p += 3;
    } else if (p[0] == L'g' && p[1] == L't' && p[2] == L';') {
        *dest++ = L'>';
        p += 3;
    } else if (p[0] == L'q' && p[1] == L'u' && p[2] == L'o' && p[3] == L't' && p[4] == L';') {
        *dest++ = L'"';
        p += 5;
    } else if (p[0] == L'a' && p[1] == L'p' && p[2] == L'o' && p[3] == L's' && p[4] == L';') {
        *dest++ = L'\'';
        p += 5;
    } else {
        *dest++ = L'&';
    }
}

// Where decoding character data stopped: the text's cursor and the write
// position behind it.
struct DataEnd {
    wchar_t* text;
    wchar_t* written;
};

// Decodes character data in place from `p` up to `end` (or the end of the
// text), writing at `dest`, which follows behind `p`. What decoding saved is
// blanked, so that the attribute mapping later sees only blanks there. Values
// in and out, so that the cursors stay in registers.
inline DataEnd DecodeData(wchar_t* p, wchar_t* dest, wchar_t end, bool collapse) {
    // Every character that ends a plain run is below 64: one bit each.
    const std::uint64_t stops = 1ull | 1ull << end | 1ull << L'&' | (collapse ? 1ull << L' ' : 0);
    auto endsRun = [stops](wchar_t c) {
        const auto code = static_cast<std::uint32_t>(c);
        return code < 64 && ((stops >> code) & 1) != 0;
    };
    // Until the first entity (or collapsed blank) the text stays in place:
    // only scan.
    if (dest == p) {
        while (!endsRun(*p)) {
            ++p;
        }
        dest = p;
    }
    for (;;) {
        const wchar_t c = *p;
        if (!endsRun(c)) {
            *dest++ = c;
            ++p;
        } else if (c == L'&') {
            DecodeEntity(p, dest);
        } else if (c == L' ') {
            *dest++ = c;
            ++p;
            SkipWhitespace(p);
        } else {
            break;  // the end, or the end of the text
        }
    }
    for (wchar_t* blank = dest; blank < p; ++blank) {
        *blank = L' ';
    }
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
    return m_doc->m_text.get() + offset;
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

// Walks the start tag from the end of the element name to the data offset:
// by then every name and value is NUL-terminated and the rest is blanks.
void CMarkupElement::MapAttributes() {
    if (m_mapped) {
        return;
    }
    m_mapped = true;
    m_attributeCount = 0;
    const CMarkupDoc::Element& element = m_doc->m_elements[m_index];
    const wchar_t* base = m_doc->m_text.get();
    const wchar_t* end = base + element.data;
    const wchar_t* p = base + element.start;
    while (p < end && *p != 0) {
        ++p;
    }
    ++p;  // the name's NUL
    while (p < end) {
        SkipWhitespace(p, end);
        const wchar_t* name = p;
        while (p < end && *p != 0) {
            ++p;
        }
        ++p;
        SkipWhitespace(p, end);
        if (p >= end || *p != L'"') {
            return;
        }
        ++p;
        m_attributes[m_attributeCount] = {static_cast<std::uint32_t>(name - base),
                                          static_cast<std::uint32_t>(p - base)};
        if (++m_attributeCount >= kMaxAttributes) {
            return;
        }
        while (p < end && *p != 0) {
            ++p;
        }
        ++p;
    }
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
    if (text == nullptr) {
        text = L"";
    }
    std::size_t length = std::wcslen(text);
    m_text.reset(new wchar_t[length + 1]);
    std::memcpy(m_text.get(), text, (length + 1) * sizeof(wchar_t));
    if (!Parse()) {
        Clear();
        return false;
    }
    return true;
}

bool CMarkupDoc::LoadBuffer(const void* bytes, std::size_t size, MarkupEncoding encoding) {
    Clear();
    m_text = DecodeMarkupBytes(static_cast<const unsigned char*>(bytes), size, encoding);
    if (m_text == nullptr) {
        return Fail(L"Expected byte-order mark", nullptr);
    }
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

bool CMarkupDoc::Fail(const wchar_t* message, const wchar_t* location) {
    CopyBounded(m_errorMessage, std::size(m_errorMessage), message);
    CopyBounded(m_errorLocation, std::size(m_errorLocation), location);
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
        wchar_t* nameEnd;
        wchar_t* contentEnd;  // where the element's decoded text ends
        std::uint32_t lastChild;
    };
    std::vector<Open> open;
    std::uint32_t lastTopLevel = 0;
    wchar_t* p = m_text.get();
    SkipWhitespace(p);
    for (;;) {
        const std::uint32_t parent = open.empty() ? 0 : open.back().index;
        bool levelEnds = false;
        if (*p == 0 && parent <= 1) {
            // The root and its children may stand without end tags at the end.
            levelEnds = true;
        } else {
            SkipWhitespace(p);
            if (*p != L'<') {
                return Fail(L"Expected start tag", p);
            }
            levelEnds = p[1] == L'/';
        }
        if (levelEnds) {
            if (open.empty()) {
                return true;
            }
            Open element = open.back();
            open.pop_back();
            if (p[0] == L'<' && p[1] == L'/') {
                *element.contentEnd = 0;
                *p = 0;
                p += 2;
                SkipWhitespace(p);
                const wchar_t* name = m_text.get() + m_elements[element.index].start;
                const auto length = static_cast<std::size_t>(element.nameEnd - name);
                for (std::size_t i = 0; i < length; ++i) {
                    if (p[i] != name[i]) {
                        return Fail(L"Unmatched closing tag", p);
                    }
                }
                p += length;
                SkipWhitespace(p);
                if (*p != L'>') {
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
        if (*p == L'!' || *p == L'?') {
            // A comment ends at the first "->", a processing instruction at "?>".
            const wchar_t first = *p == L'!' ? L'-' : L'?';
            ++p;
            while (*p != 0 && !(p[0] == first && p[1] == L'>')) {
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

        while (IsNameChar(*p)) {
            ++p;
        }
        if (*p == 0) {
            return Fail(L"Error parsing element name", p);
        }
        wchar_t* nameEnd = p;
        if (!ParseAttributes(p)) {
            return false;
        }
        SkipWhitespace(p);
        if (p[0] == L'/' && p[1] == L'>') {
            m_elements[index].data = Offset(p);
            *p = 0;
            p += 2;
            *nameEnd = 0;
            SkipWhitespace(p);
            continue;
        }
        if (*p != L'>') {
            return Fail(L"Expected start-tag closing", p);
        }
        ++p;
        m_elements[index].data = Offset(p);
        const DataEnd content = DecodeData(p, p, L'<', !m_preserveWhitespace);
        p = content.text;
        wchar_t* contentEnd = content.written;
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

bool CMarkupDoc::ParseAttributes(wchar_t*& text) {
    // A local cursor: stores through the characters cannot be taken to move it.
    wchar_t* p = text;
    const bool collapse = !m_preserveWhitespace;
    if (*p == L'>') {
        return true;
    }
    if (!(p[0] == L'/' && p[1] == L'>')) {
        *p = 0;  // ends the element name
        ++p;
    }
    SkipWhitespace(p);
    while (*p != 0 && *p != L'>' && *p != L'/') {
        wchar_t* nameEnd = p;
        while (IsNameChar(*nameEnd)) {
            ++nameEnd;
        }
        p = nameEnd;
        SkipWhitespace(p);
        if (*p != L'=') {
            return Fail(L"Error while parsing attributes", p);
        }
        *p = L' ';
        ++p;
        *nameEnd = 0;
        SkipWhitespace(p);
        if (*p != L'"') {
            return Fail(L"Expected attribute value", *p != 0 ? p + 1 : p);
        }
        const DataEnd value = DecodeData(p + 1, p + 1, L'"', collapse);
        p = value.text;
        if (*p == 0) {
            return Fail(L"Error while parsing attribute string", p);
        }
        *value.written = 0;
        if (value.written != p) {
            *p = L' ';
        }
        ++p;
        SkipWhitespace(p);
    }
    text = p;
    return true;
}

}  // namespace VantuUI
