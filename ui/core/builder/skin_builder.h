#pragma once

// Turns a skin file into a tree of controls: registers the file's resources
// and window attributes with the window's paint manager, creates one control
// per element, links it to its parent and applies its attributes.

#include <string>
#include <string_view>

#include "ui/core/markup.h"

namespace VantuUI {

class CControlUI;
class CWindowManagerUI;

// Creates controls for element names the builder does not know.
class IDialogBuilderCallback {
  public:
    virtual CControlUI* CreateCustomControl(const wchar_t* className) = 0;

  protected:
    ~IDialogBuilderCallback() = default;
};

class CSkinBuilder {
  public:
    // `skin` is XML text when it begins with "<", otherwise a skin file name
    // read through the resource settings. Without a manager no resources,
    // window attributes or class defaults apply; without a parent the
    // top-level controls stay unlinked. Returns the first top-level control,
    // or null when the skin cannot be loaded or yields none.
    CControlUI* Build(std::wstring_view skin, IDialogBuilderCallback* callback = nullptr,
                      CWindowManagerUI* manager = nullptr, CControlUI* parent = nullptr);
    // The skin is the program resource (type, id); includes then name
    // resource ids of the same type.
    CControlUI* Build(int resourceId, const std::wstring& resourceType,
                      IDialogBuilderCallback* callback = nullptr,
                      CWindowManagerUI* manager = nullptr, CControlUI* parent = nullptr);
    // Builds again from the document already loaded.
    CControlUI* Build(IDialogBuilderCallback* callback, CWindowManagerUI* manager,
                      CControlUI* parent);

    CMarkupDoc& Document() { return m_doc; }

  private:
    bool Load(std::wstring_view skin);
    bool Load(int resourceId, const std::wstring& resourceType);
    // skin_resources.cpp
    static void RegisterResources(CMarkupElement root, CWindowManagerUI& manager);
    static void ApplyWindowAttributes(CMarkupElement root, CWindowManagerUI& manager);
    // The element walk: builds the children of `element` into `parent`.
    CControlUI* BuildChildren(CMarkupElement element, CControlUI* parent,
                              CWindowManagerUI* manager);
    void BuildInclude(CMarkupElement element, CControlUI* parent, CWindowManagerUI* manager);
    // A "TreeNode" element, under a tree node or a tree view. Sets
    // `levelEnds` when the parent is neither (the node is then gone).
    CControlUI* BuildTreeNode(CMarkupElement element, CControlUI* parent, CWindowManagerUI* manager,
                              bool& levelEnds);
    // Default attribute list of the element's name, then its own attributes.
    static void ApplyElementAttributes(CMarkupElement element, CControlUI& control,
                                       CWindowManagerUI* manager);

    CMarkupDoc m_doc;
    IDialogBuilderCallback* m_callback = nullptr;
    // Set when the skin came from a program resource; includes reuse it.
    std::wstring m_resourceType;
    // How many includes lead to this builder: a skin including itself stops.
    int m_includeDepth = 0;
};

// Whether the element name is one of the resource elements that only the
// root's children may carry ("Image", "Font", "Default", "MultiLanguage").
bool IsResourceElement(std::wstring_view name);

}  // namespace VantuUI
