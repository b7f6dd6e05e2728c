#pragma once

// The skin files' XML subset, parsed in place: the document is one UTF-8
// buffer, and every element name, attribute name and value is a string in
// it. Wide copies of an element's strings are made on its first query, each
// at the same offset in a parallel wide buffer, so they are never copied
// twice and stay put. Elements, attributes (double-quoted values), text before
// the first child, comments and processing instructions (skipped), and the
// entities &amp; &lt; &gt; &quot; &apos;. Nothing else.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace VantuUI {

enum class MarkupEncoding { Utf8 = 0, Utf16 = 1, Ansi = 2 };

class CMarkupDoc;

// A handle on one element; a value that stays usable while its document is
// neither released nor reloaded. Attributes are mapped on the first query.
class CMarkupElement {
  public:
    static constexpr int kMaxAttributes = 64;

    CMarkupElement() = default;

    bool IsValid() const;
    const wchar_t* GetName() const;  // null for an invalid handle
    CMarkupElement FirstChild() const;
    CMarkupElement NextSibling() const;
    bool HasChildren() const;

    bool HasAttributes();
    int GetAttributeCount();
    // Empty for an index out of range, null for an invalid handle.
    const wchar_t* GetAttributeName(int index);
    const wchar_t* GetAttributeValue(int index);
    // Copies the value of the first attribute named exactly `name` into
    // `buffer` as a bounded copy of at most `max` characters (padded with
    // NULs, and not terminated when the value has `max` characters or more).
    bool GetAttributeValue(const wchar_t* name, wchar_t* buffer, std::size_t max);

  private:
    friend class CMarkupDoc;
    CMarkupElement(CMarkupDoc* doc, std::uint32_t index) : m_doc(doc), m_index(index) {}
    const wchar_t* Text(std::uint32_t offset) const;
    bool Exists() const;
    void MapAttributes();

    struct Attribute {
        std::uint32_t name;
        std::uint32_t value;
    };
    CMarkupDoc* m_doc = nullptr;
    std::uint32_t m_index = 0;
    int m_attributeCount = 0;
    bool m_mapped = false;
    Attribute m_attributes[kMaxAttributes];
};

class CMarkupDoc {
  public:
    CMarkupDoc();
    explicit CMarkupDoc(const wchar_t* xml);
    ~CMarkupDoc();
    CMarkupDoc(const CMarkupDoc&) = delete;
    CMarkupDoc& operator=(const CMarkupDoc&) = delete;

    // Each load releases the previous document first and leaves the document
    // released, with the reason in ErrorMessage(), when it fails.
    bool LoadText(const wchar_t* text);
    // UTF-16 needs a byte-order mark; an optional UTF-8 one is skipped.
    bool LoadBuffer(const void* bytes, std::size_t size,
                    MarkupEncoding encoding = MarkupEncoding::Utf8);
    // Reads the skin file through the resource settings (at most 4 MiB).
    bool LoadFile(std::wstring_view name, MarkupEncoding encoding = MarkupEncoding::Utf8);
    void Clear();

    bool IsValid() const { return !m_elements.empty(); }
    CMarkupElement RootElement();

    const wchar_t* ErrorMessage() const { return m_errorMessage; }
    // The document text where parsing failed (at most 49 characters).
    const wchar_t* ErrorLocation() const { return m_errorLocation; }

    // When off, a run of whitespace after a space in text or a value
    // collapses into that space. On by default.
    void SetPreserveWhitespace(bool preserve) { m_preserveWhitespace = preserve; }

    // Element records in use (record 0 is reserved) and allocated.
    std::uint32_t ElementCount() const { return m_count; }
    std::uint32_t ElementCapacity() const { return static_cast<std::uint32_t>(m_elements.size()); }

    static constexpr std::size_t kMaxFileSize = 4 * 1024 * 1024;

  private:
    friend class CMarkupElement;
    struct Element {
        std::uint32_t start;   // element name
        std::uint32_t child;   // first child, 0 = none
        std::uint32_t next;    // next sibling, 0 = none
        std::uint32_t parent;  // 0 for a top-level element
        std::uint32_t data;    // text content, or the "/" of an empty-element tag
    };

    bool Parse();
    bool ParseAttributes(char*& p);
    std::uint32_t NewElement();
    bool Fail(const wchar_t* message, const char* location);
    std::uint32_t Offset(const char* p) const {
        return static_cast<std::uint32_t>(p - m_text.get());
    }
    // The attributes of a start tag, at most `max`: offsets of names and values.
    int MapStartTag(std::uint32_t index, CMarkupElement::Attribute* out, int max) const;
    // The wide strings of an element (its name and attributes), made once.
    const wchar_t* Wide(std::uint32_t index, std::uint32_t offset);

    std::unique_ptr<char[]> m_text;  // UTF-8, modified in place by parsing
    std::size_t m_size = 0;
    std::unique_ptr<wchar_t[]> m_wide;  // parallel to m_text, filled on demand
    std::vector<bool> m_widened;        // per element
    std::vector<Element> m_elements;    // size() is the capacity
    std::uint32_t m_count = 0;
    wchar_t m_errorMessage[100] = {};
    wchar_t m_errorLocation[50] = {};
    bool m_preserveWhitespace = true;
};

}  // namespace VantuUI
