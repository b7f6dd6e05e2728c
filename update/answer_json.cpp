#include "update/answer_json.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/text/text_codec.h"

namespace vantu {

namespace {

using Json = nlohmann::json;

// Deeper values are refused, as the answer's reader always did.
constexpr size_t kMaxDepth = 1000;

bool IsSpace(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The end of a comment starting at `p` ("//" or "/*"), where the parser ends
// it too; `p` when none starts there.
const unsigned char* CommentEnd(const unsigned char* p, const unsigned char* end) {
    if (end - p < 2 || p[0] != '/' || (p[1] != '/' && p[1] != '*')) {
        return p;
    }
    const bool line = p[1] == '/';
    p += 2;
    while (p < end) {
        if (line && (*p == '\n' || *p == '\r' || *p == '\0')) {
            return p;
        }
        if (!line && *p == '*' && end - p >= 2 && p[1] == '/') {
            return p + 2;
        }
        ++p;
    }
    return end;
}

// The first byte at or after `p` that is neither blank nor comment.
const unsigned char* NextSignificant(const unsigned char* p, const unsigned char* end) {
    while (p < end) {
        if (IsSpace(*p)) {
            ++p;
        } else if (const unsigned char* after = CommentEnd(p, end); after != p) {
            p = after;
        } else {
            break;
        }
    }
    return p;
}

// The body as the parser takes it, and which of its strings (in document
// order, member names included) were not valid UTF-8.
struct PreparedBody {
    std::string text;
    std::vector<bool> badStrings;
};

// Copies the string starting at the quote at `p`: raw control characters
// become escapes and bytes that are not UTF-8 become '?' (marking the
// string). Returns where the string ended.
const unsigned char* CopyString(const unsigned char* p, const unsigned char* end,
                                PreparedBody& out) {
    bool bad = false;
    out.text.push_back(static_cast<char>(*p++));
    while (p < end) {
        const unsigned char c = *p;
        if (c == '"') {
            out.text.push_back('"');
            ++p;
            break;
        }
        if (c == '\\') {
            out.text.push_back('\\');
            if (++p < end) {
                out.text.push_back(static_cast<char>(*p++));
            }
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out.text += escape;
            ++p;
        } else {
            char32_t code;
            const int length = platform::DecodeUtf8Sequence(p, end, code);
            if (length == 0) {
                bad = true;
                out.text.push_back('?');
                ++p;
            } else {
                out.text.append(reinterpret_cast<const char*>(p), length);
                p += length;
            }
        }
    }
    out.badStrings.push_back(bad);
    return p;
}

PreparedBody Prepare(std::string_view body) {
    PreparedBody out;
    out.text.reserve(body.size());
    const auto* p = reinterpret_cast<const unsigned char*>(body.data());
    const auto* end = p + body.size();
    unsigned char previous = 0;  // the last significant byte outside strings
    while (p < end) {
        const unsigned char c = *p;
        if (c == '"') {
            p = CopyString(p, end, out);
            previous = '"';
        } else if (const unsigned char* after = CommentEnd(p, end); after != p) {
            out.text.append(reinterpret_cast<const char*>(p), after - p);
            p = after;
        } else {
            // A comma closing a list is dropped: "[1,2,]" is [1,2].
            const unsigned char* next = NextSignificant(p + 1, end);
            const bool trailingComma = c == ',' && next < end && (*next == ']' || *next == '}') &&
                                       previous != '[' && previous != '{' && previous != ',';
            if (!trailingComma) {
                out.text.push_back(static_cast<char>(c));
            }
            if (!IsSpace(c)) {
                previous = c;
            }
            ++p;
        }
    }
    return out;
}

// Builds the document from the parser's events; strings marked bad become
// binary values.
class DocumentBuilder final : public nlohmann::json_sax<Json> {
  public:
    explicit DocumentBuilder(const std::vector<bool>& badStrings) : m_badStrings(badStrings) {}

    Json TakeDocument() { return std::move(m_document); }

    bool null() override { return Put(nullptr); }
    bool boolean(bool value) override { return Put(value); }
    bool number_integer(number_integer_t value) override { return Put(value); }
    bool number_unsigned(number_unsigned_t value) override { return Put(value); }
    bool number_float(number_float_t value, const string_t&) override { return Put(value); }
    bool string(string_t& value) override {
        return NextStringIsBad() ? Put(Json::binary({})) : Put(std::move(value));
    }
    bool binary(binary_t&) override { return false; }
    bool start_object(std::size_t) override { return Open(Json::object()); }
    bool key(string_t& value) override {
        NextStringIsBad();  // a name that is not UTF-8 is never looked up
        m_key = std::move(value);
        return true;
    }
    bool end_object() override { return Close(); }
    bool start_array(std::size_t) override { return Open(Json::array()); }
    bool end_array() override { return Close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

  private:
    bool NextStringIsBad() { return m_strings < m_badStrings.size() && m_badStrings[m_strings++]; }

    // Places a value in the innermost open container (or as the document);
    // null when it is too deep.
    Json* Place(Json value) {
        if (m_open.size() >= kMaxDepth) {
            return nullptr;
        }
        if (m_open.empty()) {
            m_document = std::move(value);
            return &m_document;
        }
        Json& container = *m_open.back();
        if (container.is_array()) {
            container.push_back(std::move(value));
            return &container.back();
        }
        Json& member = container[m_key];
        member = std::move(value);
        return &member;
    }

    bool Put(Json value) { return Place(std::move(value)) != nullptr; }

    bool Open(Json container) {
        Json* placed = Place(std::move(container));
        if (placed == nullptr) {
            return false;
        }
        m_open.push_back(placed);
        return true;
    }

    bool Close() {
        m_open.pop_back();
        return true;
    }

    const std::vector<bool>& m_badStrings;
    size_t m_strings = 0;
    Json m_document;
    // Containers still open, outermost first; each lives in its parent,
    // which gains no other member while it is open, so the pointers hold.
    std::vector<Json*> m_open;
    std::string m_key;
};

}  // namespace

std::optional<Json> ParseAnswerJson(std::string_view body) {
    const PreparedBody prepared = Prepare(body);
    DocumentBuilder builder(prepared.badStrings);
    // Not strict: what follows the root value is not read.
    if (!Json::sax_parse(prepared.text, &builder, nlohmann::json::input_format_t::json,
                         /*strict=*/false, /*ignore_comments=*/true)) {
        return std::nullopt;
    }
    return builder.TakeDocument();
}

}  // namespace vantu
