// The skin's resource elements (children of the root) and the root's window
// attributes, registered with the window's paint manager.

#include "ui/control/attribute_values.h"
#include "ui/core/builder/element_attributes.h"
#include "ui/core/builder/skin_builder.h"
#include "ui/core/manager/window_manager.h"
#include "ui/core/text_case.h"

namespace VantuUI {

namespace {

int DecimalAttribute(CMarkupElement& element, std::wstring_view name, int fallback) {
    const std::wstring text = AttributeNoCase(element, name);
    return text.empty() ? fallback : ParseInt(text);
}

void RegisterImage(CMarkupElement& element, CWindowManagerUI& manager) {
    const std::wstring name = AttributeNoCase(element, L"name");
    if (name.empty()) {
        return;
    }
    const std::wstring type = AttributeNoCase(element, L"restype");
    const std::wstring mask = AttributeNoCase(element, L"mask");
    // "shared" asks for the window's hue adjustment, not for the shared table.
    manager.RegisterImage(name, type.empty() ? nullptr : &type,
                          mask.empty() ? 0 : ParseColor(mask, false),
                          FlagNoCase(element, L"shared"), false);
}

void RegisterFont(CMarkupElement& element, CWindowManagerUI& manager) {
    const int id = DecimalAttribute(element, L"id", -1);
    const std::wstring face = AttributeNoCase(element, L"name");
    if (id < 0 || face.empty()) {
        return;
    }
    const int size = DecimalAttribute(element, L"size", 12);
    const bool bold = FlagNoCase(element, L"bold");
    const bool underline = FlagNoCase(element, L"underline");
    const bool italic = FlagNoCase(element, L"italic");
    const bool shared = FlagNoCase(element, L"shared");
    manager.RegisterFont(id, face, size, bold, underline, italic, shared);
    if (FlagNoCase(element, L"default")) {
        manager.SetWindowDefaultFont(face, size, bold, underline, italic, shared);
    }
}

void RegisterClassDefaults(CMarkupElement& element, CWindowManagerUI& manager) {
    const std::wstring name = AttributeNoCase(element, L"name");
    if (!name.empty()) {
        manager.SetClassDefaults(name, AttributeNoCase(element, L"value"),
                                 FlagNoCase(element, L"shared"));
    }
}

void RegisterNumberedString(CMarkupElement& element) {
    const int id = DecimalAttribute(element, L"id", -1);
    const std::wstring value = AttributeNoCase(element, L"value");
    if (id >= 0 && !value.empty()) {
        CWindowManagerUI::SetNumberedString(id, value);
    }
}

}  // namespace

void CSkinBuilder::RegisterResources(CMarkupElement root, CWindowManagerUI& manager) {
    for (CMarkupElement node = root.FirstChild(); node.IsValid(); node = node.NextSibling()) {
        const std::wstring_view name = node.GetName();
        if (EqualsIgnoringCase(name, L"Image")) {
            RegisterImage(node, manager);
        } else if (EqualsIgnoringCase(name, L"Font")) {
            RegisterFont(node, manager);
        } else if (EqualsIgnoringCase(name, L"Default")) {
            RegisterClassDefaults(node, manager);
        } else if (EqualsIgnoringCase(name, L"MultiLanguage")) {
            RegisterNumberedString(node);
        }
    }
}

void CSkinBuilder::ApplyWindowAttributes(CMarkupElement root, CWindowManagerUI& manager) {
    const int count = root.GetAttributeCount();
    for (int i = 0; i < count; ++i) {
        manager.ApplyWindowAttribute(root.GetAttributeName(i), root.GetAttributeValue(i));
    }
}

}  // namespace VantuUI
