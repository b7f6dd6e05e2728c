#include "ui/core/builder/skin_builder.h"

#include <string>

#include "platform/resources/embedded_resources.h"
#include "ui/control/attribute_values.h"
#include "ui/control/control.h"
#include "ui/control/tree/tree_node.h"
#include "ui/control/tree/tree_view.h"
#include "ui/core/builder/control_factory.h"
#include "ui/core/builder/element_attributes.h"
#include "ui/core/manager/window_manager.h"
#include "ui/core/text_case.h"
#include "ui/layout/container/container_interface.h"

namespace VantuUI {

namespace {

// Deep enough for any real skin, shallow enough that a skin including itself
// ends long before the stack does.
constexpr int kMaxIncludeDepth = 16;
constexpr std::size_t kMaxIncludeSource = 499;

std::string NarrowAscii(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return out;
}

}  // namespace

bool IsResourceElement(std::wstring_view name) {
    return EqualsIgnoringCase(name, L"Image") || EqualsIgnoringCase(name, L"Font") ||
           EqualsIgnoringCase(name, L"Default") || EqualsIgnoringCase(name, L"MultiLanguage");
}

CControlUI* CSkinBuilder::Build(std::wstring_view skin, IDialogBuilderCallback* callback,
                                CWindowManagerUI* manager, CControlUI* parent) {
    m_resourceType.clear();
    if (!Load(skin)) {
        return nullptr;
    }
    return Build(callback, manager, parent);
}

CControlUI* CSkinBuilder::Build(int resourceId, const std::wstring& resourceType,
                                IDialogBuilderCallback* callback, CWindowManagerUI* manager,
                                CControlUI* parent) {
    if (!Load(resourceId, resourceType)) {
        return nullptr;
    }
    m_resourceType = resourceType;
    return Build(callback, manager, parent);
}

bool CSkinBuilder::Load(std::wstring_view skin) {
    if (!skin.empty() && skin.front() == L'<') {
        return m_doc.LoadText(std::wstring(skin).c_str());
    }
    return m_doc.LoadFile(skin);
}

bool CSkinBuilder::Load(int resourceId, const std::wstring& resourceType) {
    auto bytes = platform::FindEmbeddedResource(NarrowAscii(resourceType), resourceId);
    if (!bytes) {
        m_doc.Clear();
        return false;
    }
    return m_doc.LoadBuffer(bytes->data(), bytes->size(), MarkupEncoding::Utf8);
}

CControlUI* CSkinBuilder::Build(IDialogBuilderCallback* callback, CWindowManagerUI* manager,
                                CControlUI* parent) {
    m_callback = callback;
    CMarkupElement root = m_doc.RootElement();
    if (!root.IsValid()) {
        return nullptr;
    }
    if (manager != nullptr) {
        RegisterResources(root, *manager);
        if (EqualsIgnoringCase(root.GetName(), L"Window") && manager->WindowHandle() != nullptr) {
            ApplyWindowAttributes(root, *manager);
        }
    }
    return BuildChildren(root, parent, manager);
}

CControlUI* CSkinBuilder::BuildChildren(CMarkupElement element, CControlUI* parent,
                                        CWindowManagerUI* manager) {
    CControlUI* first = nullptr;
    IContainerUI* container = nullptr;
    bool containerAsked = false;
    for (CMarkupElement node = element.FirstChild(); node.IsValid(); node = node.NextSibling()) {
        // Without a parent only the first control is handed out: later ones
        // would belong to nobody.
        if (parent == nullptr && first != nullptr) {
            break;
        }
        const std::wstring_view name = node.GetName();
        if (IsResourceElement(name)) {
            continue;
        }
        if (EqualsIgnoringCase(name, L"Include")) {
            if (node.HasAttributes()) {
                BuildInclude(node, parent, manager);
            }
            continue;
        }
        if (EqualsIgnoringCase(name, L"TreeNode")) {
            bool levelEnds = false;
            CControlUI* built = BuildTreeNode(node, parent, manager, levelEnds);
            if (levelEnds) {
                return nullptr;
            }
            if (first == nullptr) {
                first = built;
            }
            continue;
        }
        CControlUI* control = CreateControlByClassName(name);
        if (control == nullptr && m_callback != nullptr) {
            control = m_callback->CreateCustomControl(node.GetName());
        }
        if (control == nullptr) {
            continue;
        }
        // Children first: a container is configured with its items in place.
        if (node.HasChildren()) {
            BuildChildren(node, control, manager);
        }
        if (parent != nullptr) {
            auto* treeNode = static_cast<CTreeNodeUI*>(parent->FindInterface(L"TreeNode"));
            if (AttributeNoCase(node, L"cover") == L"true") {
                parent->SetCoverControl(control);
            } else if (treeNode != nullptr) {
                if (!treeNode->AddToRow(control)) {
                    delete control;
                    continue;
                }
            } else {
                if (!containerAsked) {
                    container = static_cast<IContainerUI*>(parent->FindInterface(L"IContainer"));
                    containerAsked = true;
                }
                if (container == nullptr) {
                    // Nothing would own the control: it goes, and so does the level.
                    delete control;
                    return nullptr;
                }
                if (!container->Append(control)) {
                    delete control;
                    continue;
                }
            }
        }
        ApplyElementAttributes(node, *control, manager);
        if (first == nullptr) {
            first = control;
        }
    }
    return first;
}

void CSkinBuilder::ApplyElementAttributes(CMarkupElement element, CControlUI& control,
                                          CWindowManagerUI* manager) {
    if (manager != nullptr) {
        control.AttachToManager(manager, control.GetParent(), false);
        if (const wchar_t* defaults = manager->ClassDefaults(std::wstring(element.GetName()))) {
            control.ApplyAttributeString(defaults);
        }
    }
    const int count = element.GetAttributeCount();
    for (int i = 0; i < count; ++i) {
        control.SetAttribute(element.GetAttributeName(i), element.GetAttributeValue(i));
    }
    // Attached for real when the window attaches the root.
    if (manager != nullptr) {
        control.AttachToManager(nullptr, control.GetParent(), false);
    }
}

CControlUI* CSkinBuilder::BuildTreeNode(CMarkupElement element, CControlUI* parent,
                                        CWindowManagerUI* manager, bool& levelEnds) {
    auto* node = new CTreeNodeUI;
    auto* parentNode =
        parent != nullptr ? static_cast<CTreeNodeUI*>(parent->FindInterface(L"TreeNode")) : nullptr;
    if (parentNode != nullptr && !parentNode->AddChildNode(node)) {
        delete node;
        return nullptr;
    }
    ApplyElementAttributes(element, *node, manager);
    if (element.HasChildren()) {
        BuildChildren(element, node, manager);
    }
    if (parentNode != nullptr) {
        return node;
    }
    auto* view =
        parent != nullptr ? static_cast<CTreeViewUI*>(parent->FindInterface(L"TreeView")) : nullptr;
    if (view == nullptr) {
        // A node outside any tree has nothing to belong to.
        delete node;
        levelEnds = true;
        return nullptr;
    }
    if (!view->AddNode(node)) {
        delete node;
        return nullptr;
    }
    return node;
}

void CSkinBuilder::BuildInclude(CMarkupElement element, CControlUI* parent,
                                CWindowManagerUI* manager) {
    const std::wstring source = AttributeNoCase(element, L"source").substr(0, kMaxIncludeSource);
    if (source.empty() || m_includeDepth >= kMaxIncludeDepth) {
        return;
    }
    const std::wstring countText = AttributeNoCase(element, L"count");
    const int count = countText.empty() ? 1 : ParseInt(countText);
    CSkinBuilder included;
    included.m_includeDepth = m_includeDepth + 1;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            included.Build(m_callback, manager, parent);
        } else if (!m_resourceType.empty()) {
            included.Build(ParseInt(source), m_resourceType, m_callback, manager, parent);
        } else {
            included.Build(std::wstring_view(source), m_callback, manager, parent);
        }
    }
}

}  // namespace VantuUI
