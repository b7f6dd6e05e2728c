#include "ui/core/markup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tests/ui/zip/zip_fixtures.h"
#include "ui/core/resource_settings.h"

namespace {

using VantuUI::CMarkupDoc;
using VantuUI::CMarkupElement;
using VantuUI::MarkupEncoding;

std::wstring NameOf(const CMarkupElement& element) {
    const wchar_t* name = element.GetName();
    return name != nullptr ? name : L"(null)";
}

// "name[a=1,b=2](child child)" for a whole tree, to compare shapes at once.
std::wstring Shape(CMarkupElement element) {
    std::wstring out;
    for (; element.IsValid(); element = element.NextSibling()) {
        if (!out.empty()) {
            out += L' ';
        }
        out += NameOf(element);
        if (element.HasAttributes()) {
            out += L'[';
            for (int i = 0; i < element.GetAttributeCount(); ++i) {
                out += std::wstring(i ? L"," : L"") + element.GetAttributeName(i) + L"=" +
                       element.GetAttributeValue(i);
            }
            out += L']';
        }
        if (element.HasChildren()) {
            out += L'(' + Shape(element.FirstChild()) + L')';
        }
    }
    return out;
}

std::wstring ShapeOf(const wchar_t* xml) {
    CMarkupDoc doc;
    if (!doc.LoadText(xml)) {
        return std::wstring(L"error: ") + doc.ErrorMessage();
    }
    return Shape(doc.RootElement());
}

TEST(Markup, ParsesElementsAttributesAndNesting) {
    EXPECT_EQ(ShapeOf(L"<a><b/></a>"), L"a(b)");
    EXPECT_EQ(ShapeOf(L"<Window size=\"500,310\" caption=\"0,0,0,32\">"
                      L"<Font id=\"0\" name=\"Microsoft YaHei\"/>"
                      L"<VerticalLayout><Label text=\"x\" /><Button name=\"close\"></Button>"
                      L"</VerticalLayout></Window>"),
              L"Window[size=500,310,caption=0,0,0,32](Font[id=0,name=Microsoft YaHei] "
              L"VerticalLayout(Label[text=x] Button[name=close]))");
    // Whitespace around names, "=" and inside end tags.
    EXPECT_EQ(ShapeOf(L"\r\n\t< a  x = \"1\"\ty=\"2\" >\n< b />\n</ a >\n"), L"a[x=1,y=2](b)");
    // ...but "/>" is one token.
    EXPECT_EQ(ShapeOf(L"<b / >"), L"error: Expected start-tag closing");
    // Names: letters, digits, "_" and ":"; a value may be empty.
    EXPECT_EQ(ShapeOf(L"<n:s_1 v=\"\"/>"), L"n:s_1[v=]");
    // Top-level siblings.
    EXPECT_EQ(ShapeOf(L"<a/><b/>"), L"a b");
}

TEST(Markup, EmptyElementTagsWithAndWithoutBlanksAndAttributes) {
    for (const wchar_t* xml : {L"<Font/>", L"<Font />", L"<Font\t/>"}) {
        CMarkupDoc doc;
        ASSERT_TRUE(doc.LoadText(xml)) << xml;
        CMarkupElement font = doc.RootElement();
        EXPECT_EQ(NameOf(font), L"Font");
        EXPECT_FALSE(font.HasChildren());
        EXPECT_FALSE(font.HasAttributes());
    }
    EXPECT_EQ(ShapeOf(L"<Font a=\"1\"/>"), L"Font[a=1]");
    EXPECT_EQ(ShapeOf(L"<Font a=\"1\" />"), L"Font[a=1]");
}

TEST(Markup, CommentsAndDeclarationsAreSkipped) {
    EXPECT_EQ(ShapeOf(L"<!-- first --><?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                      L"<!-- before root --><Window><!-- inside --><Font/></Window><!-- after -->"),
              L"Window(Font)");
    // A comment ends at the first "->".
    EXPECT_EQ(ShapeOf(L"<!- a -> b -><a/>"), L"error: Expected start tag");
    // An unterminated comment runs to the end.
    EXPECT_EQ(ShapeOf(L"<a/><!-- open"), L"a");
}

TEST(Markup, EndTagsMayBeMissingOnlyForTheRootAndItsChildren) {
    EXPECT_EQ(ShapeOf(L"<Window><Font/>"), L"Window(Font)");
    EXPECT_EQ(ShapeOf(L"<a><b>text"), L"a(b)");
    EXPECT_EQ(ShapeOf(L"<a><b><c></c>"), L"error: Expected start tag");
    EXPECT_EQ(ShapeOf(L"<a><b><c>text"), L"error: Expected end-tag start");
}

TEST(Markup, ErrorMessagesAndLocations) {
    struct Case {
        const wchar_t* xml;
        const wchar_t* message;
        const wchar_t* location;
    };
    const Case cases[] = {
        {L"<a>text<b/>more</a>", L"Expected start tag", L"more</a>"},
        {L"text", L"Expected start tag", L"text"},
        {L"<a></ab>", L"Unmatched closing tag", L"b>"},
        {L"<ab></a>", L"Unmatched closing tag", L"a>"},
        {L"<a x='1'/>", L"Expected attribute value", L"1'/>"},
        {L"<a x=\"1/>", L"Error while parsing attribute string", L""},
        {L"<a data-x=\"1\"/>", L"Error while parsing attributes", L"-x=\"1\"/>"},
        {L"<a x/>", L"Error while parsing attributes", L"/>"},
        {L"<a x=\"1\" ?>", L"Error while parsing attributes", L"?>"},
        {L"<a x=\"1\"/ >", L"Expected start-tag closing", L"/ >"},
        {L"<abc", L"Error parsing element name", L""},
        {L"<a b=\"1\"", L"Expected start-tag closing", L""},
    };
    for (const Case& c : cases) {
        CMarkupDoc doc;
        EXPECT_FALSE(doc.LoadText(c.xml)) << c.xml;
        EXPECT_STREQ(doc.ErrorMessage(), c.message) << c.xml;
        EXPECT_STREQ(doc.ErrorLocation(), c.location) << c.xml;
        EXPECT_FALSE(doc.IsValid());
        EXPECT_FALSE(doc.RootElement().IsValid());
    }
    // The location is cut to 49 characters.
    CMarkupDoc doc;
    std::wstring longTail = L"<a>x<b/>" + std::wstring(200, L'z');
    EXPECT_FALSE(doc.LoadText(longTail.c_str()));
    EXPECT_EQ(std::wstring(doc.ErrorLocation()), std::wstring(49, L'z'));
    // A later success clears the message.
    EXPECT_TRUE(doc.LoadText(L"<a/>"));
    EXPECT_STREQ(doc.ErrorMessage(), L"");
}

TEST(Markup, EntitiesInValuesAndTheRestAsWritten) {
    CMarkupDoc doc;
    ASSERT_TRUE(
        doc.LoadText(L"<a v=\"&quot;x&quot; &lt;&gt; &amp; &apos;\" w=\"&#65; &nbsp; & &am\" "
                     L"n=\"file=&apos;a.png&apos; dest=&quot;1,2&quot;\" after=\"ok\"/>"));
    CMarkupElement a = doc.RootElement();
    ASSERT_EQ(a.GetAttributeCount(), 4);
    EXPECT_STREQ(a.GetAttributeValue(0), L"\"x\" <> & '");
    EXPECT_STREQ(a.GetAttributeValue(1), L"&#65; &nbsp; & &am");
    EXPECT_STREQ(a.GetAttributeValue(2), L"file='a.png' dest=\"1,2\"");
    // Attributes after a shortened value are still found.
    EXPECT_STREQ(a.GetAttributeName(3), L"after");
    EXPECT_STREQ(a.GetAttributeValue(3), L"ok");
    // An entity just before the end of the text does not run past it.
    EXPECT_EQ(ShapeOf(L"<a v=\"&amp;"), L"error: Error while parsing attribute string");
    EXPECT_EQ(ShapeOf(L"<a>&amp;"), L"a");
    EXPECT_EQ(ShapeOf(L"<a>&"), L"a");
}

// Only the ASCII "&", quote, "<" and blank end a run of text: characters
// that share their low bits with them (U+0126, U+0122, U+013C, U+0120) are
// text like any other, in values and in content, before and after an entity.
TEST(Markup, CharactersPastAsciiNeverEndText) {
    CMarkupDoc doc;
    doc.SetPreserveWhitespace(false);
    ASSERT_TRUE(
        doc.LoadText(L"<a v=\"\u0126\u0122\u013C\u0120&amp;\u0126\u0122\u013C\u0120 x\">"
                     L"\u0126\u013C\u0120&lt;\u0126\u013C\u0120<b/></a>"));
    CMarkupElement a = doc.RootElement();
    EXPECT_STREQ(a.GetAttributeValue(0), L"\u0126\u0122\u013C\u0120&\u0126\u0122\u013C\u0120 x");
    EXPECT_EQ(NameOf(a.FirstChild()), L"b");
    // A "<" inside a value is text; one in content starts the next tag.
    EXPECT_EQ(ShapeOf(L"<a v=\"1<2 &lt; 3\"><b/></a>"), L"a[v=1<2 < 3](b)");
}

TEST(Markup, AttributeQueries) {
    CMarkupDoc doc;
    ASSERT_TRUE(doc.LoadText(L"<a name=\"close\" Name=\"other\" long=\"0123456789\"/>"));
    CMarkupElement a = doc.RootElement();
    wchar_t buffer[32];
    ASSERT_TRUE(a.GetAttributeValue(L"Name", buffer, 32));
    EXPECT_STREQ(buffer, L"other");
    EXPECT_FALSE(a.GetAttributeValue(L"NAME", buffer, 32));
    // A bounded copy: no terminator when the value fills the buffer.
    wchar_t small[5] = {L'#', L'#', L'#', L'#', L'#'};
    ASSERT_TRUE(a.GetAttributeValue(L"long", small, 4));
    EXPECT_EQ(std::wstring(small, 5), L"0123#");
    EXPECT_STREQ(a.GetAttributeName(3), L"");
    EXPECT_STREQ(a.GetAttributeValue(-1), L"");

    CMarkupElement invalid;
    EXPECT_FALSE(invalid.IsValid());
    EXPECT_EQ(invalid.GetName(), nullptr);
    EXPECT_EQ(invalid.GetAttributeName(0), nullptr);
    EXPECT_EQ(invalid.GetAttributeValue(0), nullptr);
    EXPECT_EQ(invalid.GetAttributeCount(), 0);
    EXPECT_FALSE(invalid.GetAttributeValue(L"name", buffer, 32));
    EXPECT_FALSE(invalid.FirstChild().IsValid());
    EXPECT_FALSE(invalid.NextSibling().IsValid());
}

TEST(Markup, OnlySixtyFourAttributesAreMapped) {
    std::wstring xml = L"<a";
    for (int i = 1; i <= 65; ++i) {
        xml += L" k" + std::to_wstring(i) + L"=\"v" + std::to_wstring(i) + L"\"";
    }
    xml += L"/>";
    CMarkupDoc doc;
    ASSERT_TRUE(doc.LoadText(xml.c_str()));
    CMarkupElement a = doc.RootElement();
    EXPECT_EQ(a.GetAttributeCount(), 64);
    EXPECT_STREQ(a.GetAttributeValue(63), L"v64");
    wchar_t buffer[8];
    EXPECT_TRUE(a.GetAttributeValue(L"k64", buffer, 8));
    EXPECT_FALSE(a.GetAttributeValue(L"k65", buffer, 8));
    EXPECT_STREQ(a.GetAttributeName(64), L"");
}

TEST(Markup, ElementTableGrowsByHalfPlusFiveHundred) {
    auto capacityFor = [](int elements) {
        std::wstring xml = L"<r>";
        for (int i = 1; i < elements; ++i) {
            xml += L"<e/>";
        }
        xml += L"</r>";
        CMarkupDoc doc;
        EXPECT_TRUE(doc.LoadText(xml.c_str()));
        EXPECT_EQ(doc.ElementCount(), static_cast<std::uint32_t>(elements + 1));
        return doc.ElementCapacity();
    };
    EXPECT_EQ(capacityFor(499), 500u);  // with record 0: exactly full
    EXPECT_EQ(capacityFor(500), 1250u);
    EXPECT_EQ(capacityFor(1249), 1250u);
    EXPECT_EQ(capacityFor(1250), 2375u);
    EXPECT_EQ(capacityFor(2375), 4062u);
}

TEST(Markup, DeepNestingDoesNotExhaustTheStack) {
    std::wstring xml;
    const int depth = 200000;
    for (int i = 0; i < depth; ++i) {
        xml += L"<d>";
    }
    for (int i = 0; i < depth; ++i) {
        xml += L"</d>";
    }
    CMarkupDoc doc;
    ASSERT_TRUE(doc.LoadText(xml.c_str()));
    CMarkupElement e = doc.RootElement();
    int levels = 0;
    for (; e.IsValid(); e = e.FirstChild()) {
        ++levels;
    }
    EXPECT_EQ(levels, depth);
}

TEST(Markup, EncodingsGiveTheSameElements) {
    const std::string utf8 = "<Window title=\"升级 \xF0\x9F\x98\x80\"><Font/></Window>";
    const std::wstring expected = L"Window[title=升级 \U0001F600](Font)";
    auto shapeOfBuffer = [](const std::string& bytes, MarkupEncoding encoding) {
        CMarkupDoc doc;
        if (!doc.LoadBuffer(bytes.data(), bytes.size(), encoding)) {
            return std::wstring(L"error: ") + doc.ErrorMessage();
        }
        return Shape(doc.RootElement());
    };
    EXPECT_EQ(shapeOfBuffer(utf8, MarkupEncoding::Utf8), expected);
    EXPECT_EQ(shapeOfBuffer("\xEF\xBB\xBF" + utf8, MarkupEncoding::Utf8), expected);
    EXPECT_EQ(shapeOfBuffer(utf8, MarkupEncoding::Ansi), expected);

    // UTF-16 in both byte orders, with a surrogate pair and an odd last byte.
    std::u16string units = u"<Window title=\"升级 \U0001F600\"><Font/></Window>";
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    for (char16_t unit : units) {
        le += static_cast<char>(unit & 0xFF);
        le += static_cast<char>(unit >> 8);
        be += static_cast<char>(unit >> 8);
        be += static_cast<char>(unit & 0xFF);
    }
    EXPECT_EQ(shapeOfBuffer(le, MarkupEncoding::Utf16), expected);
    EXPECT_EQ(shapeOfBuffer(be + "\x01", MarkupEncoding::Utf16), expected);
    // Without a byte-order mark UTF-16 is refused.
    EXPECT_EQ(shapeOfBuffer(le.substr(2), MarkupEncoding::Utf16),
              L"error: Expected byte-order mark");
    EXPECT_EQ(shapeOfBuffer("", MarkupEncoding::Utf16), L"error: Expected byte-order mark");
    // Malformed UTF-8 becomes U+FFFD instead of failing.
    EXPECT_EQ(shapeOfBuffer("<a v=\"\xC3\x28\xFF\"/>", MarkupEncoding::Utf8),
              L"a[v=\uFFFD(\uFFFD]");
}

TEST(Markup, CollapsedWhitespaceWhenAsked) {
    CMarkupDoc doc;
    doc.SetPreserveWhitespace(false);
    ASSERT_TRUE(doc.LoadText(L"<a v=\"x  \t y\"/>"));
    EXPECT_STREQ(doc.RootElement().GetAttributeValue(0), L"x y");
    CMarkupDoc keep;
    ASSERT_TRUE(keep.LoadText(L"<a v=\"x  \t y\"/>"));
    EXPECT_STREQ(keep.RootElement().GetAttributeValue(0), L"x  \t y");
    // Runs next to entities collapse too, and the attributes after still map.
    ASSERT_TRUE(doc.LoadText(L"<a v=\"&amp;  \t&lt;   y \" w=\"  z\"/>"));
    EXPECT_STREQ(doc.RootElement().GetAttributeValue(0), L"& < y ");
    EXPECT_STREQ(doc.RootElement().GetAttributeValue(1), L" z");
}

TEST(Markup, EmptyDocumentAndClear) {
    CMarkupDoc doc(L"  <!-- nothing -->  ");
    EXPECT_TRUE(doc.IsValid());
    EXPECT_FALSE(doc.RootElement().IsValid());
    doc.Clear();
    EXPECT_FALSE(doc.IsValid());
    CMarkupDoc loaded(L"<a/>");
    EXPECT_EQ(NameOf(loaded.RootElement()), L"a");
}

// The bytes of a UTF-8 document are parsed as they stand: sequences past
// ASCII, malformed ones and those cut short by the end of the buffer read as
// the widened text shows them.
std::wstring ShapeOfBytes(const std::string& bytes,
                          MarkupEncoding encoding = MarkupEncoding::Utf8) {
    CMarkupDoc doc;
    if (!doc.LoadBuffer(bytes.data(), bytes.size(), encoding)) {
        return std::wstring(L"error: ") + doc.ErrorMessage() + L" at " + doc.ErrorLocation();
    }
    return Shape(doc.RootElement());
}

TEST(MarkupUtf8, SequencesCutShortByTheEndOfTheBuffer) {
    const std::string whole = "<a v=\"\xE5\x8D\x87\"/>";  // U+5347
    EXPECT_EQ(ShapeOfBytes(whole), L"a[v=\u5347]");
    // The buffer ends inside the character: no closing quote follows.
    for (std::size_t cut = 7; cut <= 8; ++cut) {
        EXPECT_EQ(ShapeOfBytes(whole.substr(0, cut)),
                  L"error: Error while parsing attribute string at ")
            << cut;
    }
    // A cut-short four-byte character before the quote: one U+FFFD a byte.
    EXPECT_EQ(ShapeOfBytes("<a v=\"\xF0\x9F\x98\"/>"), L"a[v=\uFFFD\uFFFD\uFFFD]");
    // After the root, a cut character is text where a tag should start.
    EXPECT_EQ(ShapeOfBytes("<a/>\xE5\x8D"), L"error: Expected start tag at \uFFFD\uFFFD");
    // A buffer with an early NUL ends there, as the wide text did.
    EXPECT_EQ(ShapeOfBytes(std::string("<a/>\0<b", 7)), L"a");
}

TEST(MarkupUtf8, MalformedBytesReadAsReplacementCharacters) {
    // A lone continuation byte, a bad lead byte, an overlong "<" (C0 BC) and
    // an encoded surrogate never count as markup.
    EXPECT_EQ(ShapeOfBytes("<a v=\"\x80x\xFE\xC0\xBC\xED\xA0\x80\"/>"),
              L"a[v=\uFFFDx\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD]");
    EXPECT_EQ(ShapeOfBytes("<a>\xC0\xBC<b/></a>"), L"a(b)");
    // A malformed byte ends a name like any other non-name character.
    EXPECT_EQ(ShapeOfBytes("<a\xFF b=\"1\"/>"), L"a[b=1]");
    EXPECT_EQ(ShapeOfBytes("<a \xFF=\"1\"/>"),
              L"error: Error while parsing attributes at \uFFFD=\"1\"/>");
    // The location after a bad quote starts after the whole character.
    EXPECT_EQ(ShapeOfBytes("<a x=\xE5\x8D\x87y\"/>"), L"error: Expected attribute value at y\"/>");
    // A closing tag must match the name byte for byte.
    EXPECT_EQ(ShapeOfBytes("<a></a\xFF>"), L"error: Unmatched closing tag at \uFFFD>");
}

// A character that is no name character ends the element name, whatever its
// length: all of its bytes go, so the attributes behind it still map.
TEST(MarkupUtf8, WideCharacterAfterAName) {
    EXPECT_EQ(ShapeOfBytes("<a\xEF\xBC\x8C"
                           "b=\"1\" c=\"2\"/>"),
              L"a[b=1,c=2]");  // U+FF0C
    EXPECT_EQ(ShapeOfBytes("<a\xE2\x80\x83"
                           "b=\"1\"></a>"),
              L"a[b=1]");  // U+2003
    CMarkupDoc doc;
    ASSERT_TRUE(doc.LoadText(L"<Font\u3000name=\"x\"/>"));
    EXPECT_STREQ(doc.RootElement().GetName(), L"Font");
    EXPECT_STREQ(doc.RootElement().GetAttributeName(0), L"name");
}

TEST(MarkupUtf8, ByteOrderMarks) {
    // Only a leading UTF-8 mark is skipped; ANSI keeps it, and one inside the
    // text is a character.
    EXPECT_EQ(ShapeOfBytes("\xEF\xBB\xBF<a v=\"\xEF\xBB\xBFx\"/>"), L"a[v=\uFEFFx]");
    EXPECT_EQ(ShapeOfBytes("\xEF\xBB\xBF\xEF\xBB\xBF<a/>"),
              L"error: Expected start tag at \uFEFF<a/>");
    EXPECT_EQ(ShapeOfBytes("\xEF\xBB\xBF<a/>", MarkupEncoding::Ansi),
              L"error: Expected start tag at \uFEFF<a/>");
    EXPECT_EQ(ShapeOfBytes("\xEF\xBB", MarkupEncoding::Utf8),
              L"error: Expected start tag at \uFFFD\uFFFD");
    // UTF-16: a lone surrogate becomes U+FFFD, the mark alone is an empty document.
    EXPECT_EQ(ShapeOfBytes(std::string("\xFF\xFE<\0a\0 \0v\0=\0\"\0\x00\xD8\"\0/\0>\0", 22),
                           MarkupEncoding::Utf16),
              L"a[v=\uFFFD]");
    EXPECT_EQ(ShapeOfBytes("\xFE\xFF", MarkupEncoding::Utf16), L"");
}

TEST(MarkupUtf8, EntitiesNextToWideCharacters) {
    CMarkupDoc doc;
    doc.SetPreserveWhitespace(false);
    const std::string xml =
        "<a v=\"\xE5\x8D\x87&amp;\xE7\xBA\xA7&lt;\xF0\x9F\x98\x80  \t\xE5\x8D\x87&quot;\" "
        "w=\"&#x5347;\xE5\x8D\x87&\">\xE5\x8D\x87&gt;<b/></a>";
    ASSERT_TRUE(doc.LoadBuffer(xml.data(), xml.size()));
    CMarkupElement a = doc.RootElement();
    EXPECT_STREQ(a.GetAttributeValue(0), L"\u5347&\u7EA7<\U0001F600 \u5347\"");
    EXPECT_STREQ(a.GetAttributeValue(1), L"&#x5347;\u5347&");
    EXPECT_EQ(NameOf(a.FirstChild()), L"b");
}

// Runs of every length around entities and collapsed blanks, so that stops
// fall at every place within the eight bytes the parser reads at once.
TEST(MarkupUtf8, RunsOfEveryLengthAroundEntities) {
    for (int before = 0; before < 18; ++before) {
        for (int after = 0; after < 18; ++after) {
            const std::string head(static_cast<std::size_t>(before), 'x');
            const std::string tail =
                std::string(static_cast<std::size_t>(after), 'y') + "\xE5\x8D\x87";
            const std::string xml = "<a v=\"" + head + "&lt;" + tail + "&quot;" + head + "\" w=\"" +
                                    head + "  " + tail + "\">" + tail + "&amp;<b/></a>";
            for (bool collapse : {false, true}) {
                CMarkupDoc doc;
                doc.SetPreserveWhitespace(!collapse);
                ASSERT_TRUE(doc.LoadBuffer(xml.data(), xml.size())) << xml;
                CMarkupElement a = doc.RootElement();
                const std::wstring wideHead(head.begin(), head.end());
                const std::wstring wideTail =
                    std::wstring(static_cast<std::size_t>(after), L'y') + L"\u5347";
                EXPECT_EQ(a.GetAttributeValue(0), wideHead + L"<" + wideTail + L"\"" + wideHead)
                    << xml;
                EXPECT_EQ(a.GetAttributeValue(1), wideHead + (collapse ? L" " : L"  ") + wideTail)
                    << xml;
                EXPECT_EQ(a.GetAttributeCount(), 2) << xml;
                EXPECT_EQ(NameOf(a.FirstChild()), L"b") << xml;
            }
        }
    }
}

// CDATA is not part of the language: "<!" starts a construct that runs to
// the first "->", so nothing inside it is markup.
TEST(MarkupUtf8, CdataIsSkippedLikeAComment) {
    EXPECT_EQ(ShapeOf(L"<a><![CDATA[<b/> x]]--><c/></a>"), L"a(c)");
    EXPECT_EQ(ShapeOf(L"<a><![CDATA[<b/>]]></a>"), L"a");
}

// Values keep tabs and line breaks as written (no normalisation); only the
// collapsing mode drops the whitespace after a blank.
TEST(MarkupUtf8, AttributeWhitespaceIsNotNormalised) {
    EXPECT_EQ(ShapeOfBytes("<a v=\"1\r\n\t2\" w=\"\t\xE5\x8D\x87\n\"/>"),
              L"a[v=1\r\n\t2,w=\t\u5347\n]");
    CMarkupDoc doc;
    doc.SetPreserveWhitespace(false);
    ASSERT_TRUE(doc.LoadText(L"<a v=\"\t1 \r\n\t\u5347 \"/>"));
    EXPECT_STREQ(doc.RootElement().GetAttributeValue(0), L"\t1 \u5347 ");
}

// The wide strings are made on the first query and stay where they are: a
// second handle, or queries on other elements, see the same pointers.
TEST(MarkupUtf8, WideStringsAreMadeOnceAndStayPut) {
    CMarkupDoc doc;
    ASSERT_TRUE(doc.LoadText(L"<r a=\"\u5347\"><b c=\"d\"/><e/></r>"));
    CMarkupElement first = doc.RootElement();
    const wchar_t* name = first.GetName();
    const wchar_t* value = first.GetAttributeValue(0);
    EXPECT_EQ(std::wstring(value), L"\u5347");
    EXPECT_STREQ(first.FirstChild().GetAttributeValue(0), L"d");
    EXPECT_STREQ(first.FirstChild().NextSibling().GetName(), L"e");
    CMarkupElement second = doc.RootElement();
    EXPECT_EQ(second.GetName(), name);
    EXPECT_EQ(second.GetAttributeValue(0), value);
    EXPECT_STREQ(name, L"r");
    wchar_t buffer[4];
    ASSERT_TRUE(second.GetAttributeValue(L"a", buffer, 4));
    EXPECT_STREQ(buffer, L"\u5347");
    // Reloading drops them with the document.
    ASSERT_TRUE(doc.LoadText(L"<z/>"));
    EXPECT_STREQ(doc.RootElement().GetName(), L"z");
}

// The location of a failure is cut at 49 characters, not bytes.
TEST(MarkupUtf8, ErrorLocationCountsCharacters) {
    std::string xml = "<a/>";
    for (int i = 0; i < 60; ++i) {
        xml += "\xE5\x8D\x87";
    }
    CMarkupDoc doc;
    EXPECT_FALSE(doc.LoadBuffer(xml.data(), xml.size()));
    EXPECT_EQ(std::wstring(doc.ErrorLocation()), std::wstring(49, L'\u5347'));
}

// LoadFile goes through the resource settings, which are process-wide.
class MarkupFile : public ::testing::Test {
  protected:
    void TearDown() override {
        VantuUI::CResourceSettings::SetSkinArchive(L"", true);
        VantuUI::CResourceSettings::SetSkinPath(L"");
    }
    static std::string DocumentOfSize(std::size_t size) {
        std::string xml = "<a v=\"";
        xml += std::string(size - xml.size() - 3, 'x');
        xml += "\"/>";
        return xml;
    }
    testing_support::TempDir m_dir;
};

TEST_F(MarkupFile, LooseFilesUpToFourMebibytes) {
    VantuUI::CResourceSettings::SetSkinPath(m_dir.path().wstring());
    testing_support::WriteFile(m_dir / "limit.xml", DocumentOfSize(4194304));
    testing_support::WriteFile(m_dir / "over.xml", DocumentOfSize(4194305));
    testing_support::WriteFile(m_dir / "empty.xml", "");
    testing_support::WriteFile(m_dir / "bom.xml", "\xEF\xBB\xBF<a/>");
    CMarkupDoc doc;
    EXPECT_TRUE(doc.LoadFile(L"limit.xml"));
    EXPECT_EQ(NameOf(doc.RootElement()), L"a");
    EXPECT_TRUE(doc.LoadFile(L"bom.xml"));
    EXPECT_EQ(NameOf(doc.RootElement()), L"a");
    const std::pair<const wchar_t*, const wchar_t*> failures[] = {
        {L"over.xml", L"File too large"},
        {L"empty.xml", L"File is empty"},
        {L"missing.xml", L"Error opening file"},
    };
    for (const auto& [name, message] : failures) {
        EXPECT_FALSE(doc.LoadFile(name)) << name;
        EXPECT_STREQ(doc.ErrorMessage(), message);
        EXPECT_STREQ(doc.ErrorLocation(), L"");
        EXPECT_FALSE(doc.IsValid());
    }
}

TEST_F(MarkupFile, FilesFromTheSkinArchive) {
    std::string archive =
        zip_fixtures::MakePythonArchive(m_dir,
                                        {{"MainWindow.xml", "<Window><Font/></Window>"},
                                         {"limit.xml", DocumentOfSize(4194304)},
                                         {"over.xml", DocumentOfSize(4194305)},
                                         {"empty.xml", ""},
                                         {"bad.xml", "<a><b><c>x"}},
                                        "deflated");
    testing_support::WriteFile(m_dir / "skin.zip", archive);
    VantuUI::CResourceSettings::SetSkinPath(m_dir.path().wstring());
    CMarkupDoc doc;
    VantuUI::CResourceSettings::SetSkinArchive(L"none.zip", true);
    EXPECT_FALSE(doc.LoadFile(L"MainWindow.xml"));
    EXPECT_STREQ(doc.ErrorMessage(), L"Error opening zip file");

    VantuUI::CResourceSettings::SetSkinArchive(L"skin.zip", true);
    EXPECT_TRUE(doc.LoadFile(L"mainwindow.XML"));
    EXPECT_EQ(Shape(doc.RootElement()), L"Window(Font)");
    EXPECT_TRUE(doc.LoadFile(L"limit.xml"));
    const std::pair<const wchar_t*, const wchar_t*> failures[] = {
        {L"over.xml", L"File too large"},
        {L"empty.xml", L"File is empty"},
        {L"gone.xml", L"Could not find ziped file"},
        {L"bad.xml", L"Expected end-tag start"},
    };
    for (const auto& [name, message] : failures) {
        EXPECT_FALSE(doc.LoadFile(name)) << name;
        EXPECT_STREQ(doc.ErrorMessage(), message);
    }

    std::string damaged = zip_fixtures::MakePythonArchive(
        m_dir, {{"MainWindow.xml", std::string(200, ' ').append("<a/>")}}, "stored");
    damaged[30 + 14 + 5] ^= 0x20;  // inside the stored data
    VantuUI::CResourceSettings::SetSkinArchive(L"", true);
    VantuUI::CResourceSettings::SetSkinArchive(damaged.data(), damaged.size());
    EXPECT_FALSE(doc.LoadFile(L"MainWindow.xml"));
    EXPECT_STREQ(doc.ErrorMessage(), L"Could not unzip file");
}

}  // namespace
