// Feeds arbitrary bytes to the markup parser in each encoding (chosen by the
// first byte) and walks the whole element tree with every query.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/core/markup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    auto encoding = static_cast<VantuUI::MarkupEncoding>(data[0] % 3);
    VantuUI::CMarkupDoc doc;
    doc.SetPreserveWhitespace((data[0] & 0x80) == 0);
    if (!doc.LoadBuffer(data + 1, size - 1, encoding)) {
        return 0;
    }
    std::vector<VantuUI::CMarkupElement> pending{doc.RootElement()};
    wchar_t value[16];
    std::size_t visited = 0;
    while (!pending.empty() && ++visited < 100000) {
        VantuUI::CMarkupElement element = pending.back();
        pending.pop_back();
        if (!element.IsValid()) {
            continue;
        }
        const wchar_t* name = element.GetName();
        int count = element.GetAttributeCount();
        for (int i = -1; i <= count; ++i) {
            const wchar_t* attribute = element.GetAttributeName(i);
            element.GetAttributeValue(i);
            element.GetAttributeValue(attribute, value, 16);
        }
        element.GetAttributeValue(name, value, 16);
        pending.push_back(element.NextSibling());
        if (element.HasChildren()) {
            pending.push_back(element.FirstChild());
        }
    }
    return 0;
}
