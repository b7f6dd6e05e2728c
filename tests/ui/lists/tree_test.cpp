// Tree views built from skins and changed in code: order of the nodes in
// the list, expansion, check boxes, removal.

#include <gtest/gtest.h>

#include <memory>

#include "tests/ui/fake_manager.h"
#include "ui/control/basic/check_box.h"
#include "ui/control/tree/tree_node.h"
#include "ui/control/tree/tree_view.h"
#include "ui/core/builder/skin_builder.h"
#include "ui/layout/horizontal_layout.h"

namespace VantuUI {
namespace {

CTreeNodeUI* Node(CTreeViewUI& tree, int index) {
    return static_cast<CTreeNodeUI*>(tree.ItemAt(index)->FindInterface(L"TreeNode"));
}

std::wstring Texts(CTreeViewUI& tree) {
    std::wstring out;
    for (int i = 0; i < tree.ItemCount(); ++i) {
        out += (i > 0 ? L"," : L"") + Node(tree, i)->GetText();
    }
    return out;
}

std::unique_ptr<CTreeViewUI> BuildTree(const wchar_t* nodes) {
    CSkinBuilder builder;
    CControlUI* root = builder.Build(std::wstring_view(
        std::wstring(L"<Window><Tree visiblecheckbtn=\"true\">") + nodes + L"</Tree></Window>"));
    EXPECT_NE(root, nullptr);
    return std::unique_ptr<CTreeViewUI>(
        root != nullptr ? static_cast<CTreeViewUI*>(root->FindInterface(L"TreeView")) : nullptr);
}

TEST(TreeBuilding, NodesFollowTheirParentsAndOtherControlsJoinTheNodesRow) {
    auto tree = BuildTree(
        L"<TreeNode text=\"a\"><TreeNode text=\"a1\"><TreeNode text=\"a11\"/></TreeNode>"
        L"<Button name=\"extra\" text=\"x\"/><TreeNode text=\"a2\"/></TreeNode>"
        L"<TreeNode text=\"b\" itemattr=\"name=&quot;btext&quot;\"/>");
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(Texts(*tree), L"a,a1,a11,a2,b");
    EXPECT_EQ(Node(*tree, 2)->ParentNode(), Node(*tree, 1));
    EXPECT_EQ(Node(*tree, 2)->Depth(), 2);
    EXPECT_EQ(Node(*tree, 2)->DotLine()->GetFixedWidth(), 2 * CTreeNodeUI::kIndent);
    CHorizontalLayoutUI* row = Node(*tree, 0)->Row();
    EXPECT_EQ(row->ItemAt(row->ItemCount() - 1)->GetName(), L"extra");
    EXPECT_EQ(Node(*tree, 4)->ItemButton()->GetName(), L"btext");
    EXPECT_TRUE(Node(*tree, 0)->CheckBox()->IsVisible());
    for (int i = 0; i < tree->ItemCount(); ++i) {
        EXPECT_EQ(Node(*tree, i)->TreeView(), tree.get());
        EXPECT_EQ(Node(*tree, i)->GetIndex(), i);
    }
}

TEST(TreeBuilding, ANodeOutsideATreeEndsItsLevel) {
    CSkinBuilder builder;
    CControlUI* root = builder.Build(std::wstring_view(
        L"<Window><VerticalLayout><Control/><TreeNode text=\"lost\"><TreeNode/></TreeNode>"
        L"<Control/></VerticalLayout></Window>"));
    ASSERT_NE(root, nullptr);
    // The first control stays; the node and everything after it are not built.
    EXPECT_EQ(static_cast<CContainerUI*>(root)->ItemCount(), 1);
    delete root;
}

TEST(TreeView, CollapsingHidesTheSubtreeAndExpandingShowsWhatWasOpen) {
    auto tree = BuildTree(
        L"<TreeNode text=\"a\"><TreeNode text=\"a1\"><TreeNode text=\"a11\"/></TreeNode>"
        L"</TreeNode><TreeNode text=\"b\"/>");
    ASSERT_NE(tree, nullptr);
    CTreeNodeUI* a = Node(*tree, 0);
    CTreeNodeUI* a1 = Node(*tree, 1);
    a1->Expand(false);
    EXPECT_FALSE(Node(*tree, 2)->IsVisible());
    a->Expand(false);
    EXPECT_FALSE(a1->IsVisible());
    a->Expand(true);
    EXPECT_TRUE(a1->IsVisible());
    EXPECT_FALSE(Node(*tree, 2)->IsVisible()) << "a1 is still collapsed";
    EXPECT_TRUE(Node(*tree, 3)->IsVisible());

    // The folder button's own notification does the same through the tree.
    TNotificationUI msg;
    msg.type = L"selectchanged";
    msg.sender = a->FolderButton();
    a->FolderButton()->SetSelected(false, false);
    tree->OnNotification(msg);
    EXPECT_FALSE(a1->IsVisible());
}

TEST(TreeView, CheckingANodeChecksItsSubtreeOnly) {
    auto tree = BuildTree(
        L"<TreeNode text=\"a\"><TreeNode text=\"a1\"><TreeNode text=\"a11\"/></TreeNode>"
        L"</TreeNode><TreeNode text=\"b\"/>");
    ASSERT_NE(tree, nullptr);
    TNotificationUI msg;
    msg.type = L"selectchanged";
    msg.sender = Node(*tree, 1)->CheckBox();
    Node(*tree, 1)->CheckBox()->SetSelected(true, false);
    tree->OnNotification(msg);
    EXPECT_FALSE(Node(*tree, 0)->IsChecked());
    EXPECT_TRUE(Node(*tree, 1)->IsChecked());
    EXPECT_TRUE(Node(*tree, 2)->IsChecked());
    EXPECT_FALSE(Node(*tree, 3)->IsChecked());
}

TEST(TreeView, ChildrenAddedLaterGoAfterTheSubtreeAndRemovalTakesTheSubtree) {
    auto tree = BuildTree(
        L"<TreeNode text=\"a\"><TreeNode text=\"a1\"><TreeNode text=\"a11\"/></TreeNode>"
        L"</TreeNode><TreeNode text=\"b\"/>");
    ASSERT_NE(tree, nullptr);
    auto* a2 = new CTreeNodeUI;
    a2->SetText(L"a2");
    ASSERT_TRUE(tree->AddNode(a2, Node(*tree, 0)));
    EXPECT_EQ(Texts(*tree), L"a,a1,a11,a2,b");
    EXPECT_EQ(a2->Depth(), 1);
    EXPECT_FALSE(tree->AddNode(a2));  // already in the tree

    tree->SelectItem(4);
    EXPECT_TRUE(Node(*tree, 0)->RemoveChildNode(Node(*tree, 1)));
    EXPECT_EQ(Texts(*tree), L"a,a2,b");
    EXPECT_EQ(tree->GetCurSel(), 2);
    EXPECT_EQ(Node(*tree, 0)->ChildNodeCount(), 1);
    EXPECT_TRUE(tree->RemoveItemAt(0));
    EXPECT_EQ(Texts(*tree), L"b");
}

TEST(TreeView, NodeSelectionShowsOnItsTextAndTreeColoursFillInOnlyWhatANodeLacks) {
    auto tree =
        BuildTree(L"<TreeNode text=\"a\" itemtextcolor=\"#FF010203\"/><TreeNode text=\"b\"/>");
    ASSERT_NE(tree, nullptr);
    tree->ApplyAttributeString(L"itemtextcolor=\"#FF0A0B0C\" visiblefolderbtn=\"false\"");
    EXPECT_EQ(Node(*tree, 0)->ItemButton()->GetTextColor(), 0xFF010203u);
    EXPECT_EQ(Node(*tree, 1)->ItemButton()->GetTextColor(), 0xFF0A0B0Cu);
    EXPECT_FALSE(Node(*tree, 1)->FolderButton()->IsVisible());
    ASSERT_TRUE(tree->SelectItem(1));
    EXPECT_TRUE(Node(*tree, 1)->ItemButton()->IsSelected());
    ASSERT_TRUE(tree->SelectItem(0));
    EXPECT_FALSE(Node(*tree, 1)->ItemButton()->IsSelected());
}

}  // namespace
}  // namespace VantuUI
