#include <gtest/gtest.h>

#include <vector>

#include "ui/core/builder/skin_builder.h"
#include "ui/layout/container/container.h"

namespace {

using namespace VantuUI;

TEST(BasicControlsSkin, EveryBasicClassIsBuiltFromItsElementName) {
    CSkinBuilder builder;
    CControlUI* root = builder.Build(
        std::wstring_view(L"<Window><VerticalLayout><Label/><text/><BUTTON/><Option/><CheckBox/>"
                          L"<Progress/></VerticalLayout></Window>"));
    ASSERT_NE(root, nullptr);
    auto* layout = static_cast<CContainerUI*>(root->FindInterface(L"Container"));
    std::vector<std::wstring> classes;
    for (int i = 0; i < layout->ItemCount(); ++i) {
        classes.push_back(layout->ItemAt(i)->GetClass());
    }
    EXPECT_EQ(classes, (std::vector<std::wstring>{L"Label", L"Text", L"Button", L"Option",
                                                  L"CheckBox", L"Progress"}));
    delete root;
}

}  // namespace
