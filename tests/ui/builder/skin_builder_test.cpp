// Building control trees from skin text and files.

#include "ui/core/builder/skin_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tests/ui/skin_path_scope.h"
#include "ui/control/control.h"
#include "ui/core/manager/window_manager.h"
#include "ui/layout/container/container.h"

namespace VantuUI {
namespace {

using testing_support::TempDir;
using testing_support::WriteFile;

class RecordingCallback : public IDialogBuilderCallback {
  public:
    CControlUI* CreateCustomControl(const wchar_t* className) override {
        asked.emplace_back(className);
        return std::wstring(className) == L"gifanim" ? new CControlUI : nullptr;
    }
    std::vector<std::wstring> asked;
};

CContainerUI* AsContainer(CControlUI* control) {
    return static_cast<CContainerUI*>(control->FindInterface(L"Container"));
}

TEST(SkinBuilder, BuildsKnownClassesInAnyCaseAndOffersTheRestToTheCallback) {
    RecordingCallback callback;
    CSkinBuilder builder;
    CControlUI* root =
        builder.Build(std::wstring_view(L"<Window size=\"500,310\"><Font id=\"1\" name=\"Sans\"/>"
                                        L"<VerticalLayout name=\"root\">"
                                        L"<HBOX name=\"row\"><Control name=\"cell\"/></HBOX>"
                                        L"<Unheard><VerticalLayout/></Unheard>"
                                        L"<gifanim name=\"custom\"/>"
                                        L"</VerticalLayout><Control name=\"second\"/></Window>"),
                      &callback);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), L"root");
    EXPECT_EQ(root->GetClass(), L"VerticalLayout");
    CContainerUI* layout = AsContainer(root);
    ASSERT_EQ(layout->ItemCount(), 2);
    CControlUI* row = layout->ItemAt(0);
    EXPECT_EQ(row->GetClass(), L"HorizontalLayout");
    EXPECT_EQ(row->GetParent(), root);
    ASSERT_EQ(AsContainer(row)->ItemCount(), 1);
    EXPECT_EQ(AsContainer(row)->ItemAt(0)->GetName(), L"cell");
    EXPECT_EQ(layout->ItemAt(1)->GetName(), L"custom");
    // An unknown class goes with its subtree; "GifAnim" is only known exactly so.
    EXPECT_EQ(callback.asked, (std::vector<std::wstring>{L"Unheard", L"gifanim"}));
    // "second" had no parent to own it: it was never made (the sanitizer
    // build would report it leaking).
    delete root;
}

TEST(SkinBuilder, ClassDefaultsApplyToTheNameAsWrittenAndElementAttributesWin) {
    CWindowManagerUI manager;
    CSkinBuilder builder;
    CControlUI* root = builder.Build(
        std::wstring_view(L"<Window><Default name=\"Control\" value=\"height=&quot;20&quot; "
                          L"width=&quot;30&quot;\"/>"
                          L"<VerticalLayout><Control/><Control height=\"40\"/><control/>"
                          L"</VerticalLayout></Window>"),
        nullptr, &manager);
    ASSERT_NE(root, nullptr);
    CContainerUI* layout = AsContainer(root);
    ASSERT_EQ(layout->ItemCount(), 3);
    EXPECT_EQ(layout->ItemAt(0)->GetFixedHeight(), 20);
    EXPECT_EQ(layout->ItemAt(1)->GetFixedHeight(), 40);
    EXPECT_EQ(layout->ItemAt(1)->GetFixedWidth(), 30);
    EXPECT_EQ(layout->ItemAt(2)->GetFixedHeight(), 0);
    // Built controls are attached for real only with the root.
    EXPECT_EQ(layout->ItemAt(0)->GetManager(), nullptr);
    manager.AttachRoot(root);
}

TEST(SkinBuilder, ResourceElementsCountOnlyAsChildrenOfTheRoot) {
    CWindowManagerUI manager;
    CSkinBuilder builder;
    CControlUI* root = builder.Build(
        std::wstring_view(L"<Window><Font id=\"3\" name=\"Sans\" size=\"17\"/>"
                          L"<Font name=\"Serif\" default=\"true\"/>"
                          L"<MultiLanguage id=\"41\" value=\"forty-one\"/>"
                          L"<VerticalLayout><Font id=\"4\" name=\"Sans\"/>"
                          L"<MultiLanguage id=\"42\" value=\"no\"/></VerticalLayout></Window>"),
        nullptr, &manager);
    ASSERT_NE(root, nullptr);
    manager.AttachRoot(root);
    ASSERT_NE(manager.FontById(3), nullptr);
    EXPECT_EQ(manager.FontById(3)->size, 17);
    EXPECT_EQ(manager.FindFont(L"Sans", 17, false, false, false), 3);
    EXPECT_EQ(manager.FindFont(L"Sans", 12, false, false, false), -1);
    EXPECT_EQ(manager.FindFont(L"Serif", 12, false, false, false), -1);
    ASSERT_NE(CWindowManagerUI::NumberedString(41), nullptr);
    EXPECT_EQ(*CWindowManagerUI::NumberedString(41), L"forty-one");
    EXPECT_EQ(CWindowManagerUI::NumberedString(42), nullptr);
}

TEST(SkinBuilder, IncludesRepeatAndASkinIncludingItselfStops) {
    TempDir dir;
    WriteFile(dir / "item.xml", "<Window><Control name=\"a\"/><Control/></Window>");
    WriteFile(dir / "loop.xml",
              "<Window><VerticalLayout><Include source=\"loop.xml\"/></VerticalLayout></Window>");
    ui_testing::SkinPathScope scope(dir.path());

    CSkinBuilder builder;
    CControlUI* root = builder.Build(
        std::wstring_view(L"<Window><HorizontalLayout><Include source=\"item.xml\" count=\"3\"/>"
                          L"<Control name=\"after\"/></HorizontalLayout></Window>"));
    ASSERT_NE(root, nullptr);
    CContainerUI* row = AsContainer(root);
    ASSERT_EQ(row->ItemCount(), 7);
    EXPECT_EQ(row->ItemAt(0)->GetName(), L"a");
    EXPECT_EQ(row->ItemAt(4)->GetName(), L"a");
    EXPECT_EQ(row->ItemAt(6)->GetName(), L"after");
    delete root;

    CSkinBuilder looping;
    CControlUI* nested = looping.Build(std::wstring_view(L"loop.xml"));
    ASSERT_NE(nested, nullptr);
    int depth = 0;
    for (CControlUI* c = nested; AsContainer(c)->ItemCount() > 0; c = AsContainer(c)->ItemAt(0)) {
        ++depth;
    }
    EXPECT_GT(depth, 1);
    EXPECT_LT(depth, 100);
    delete nested;
}

TEST(SkinBuilder, CoverControlsAndParentsWithoutAChildList) {
    CSkinBuilder builder;
    CControlUI* root = builder.Build(
        std::wstring_view(L"<Window><VerticalLayout><Control name=\"cover\" cover=\"true\"/>"
                          L"<Control name=\"leaf\"><Control/></Control><Control cover=\"TRUE\"/>"
                          L"</VerticalLayout></Window>"));
    ASSERT_NE(root, nullptr);
    ASSERT_NE(root->GetCoverControl(), nullptr);
    EXPECT_EQ(root->GetCoverControl()->GetName(), L"cover");
    CContainerUI* layout = AsContainer(root);
    // The leaf keeps its place (its child had nowhere to go); "TRUE" is no cover.
    ASSERT_EQ(layout->ItemCount(), 2);
    EXPECT_EQ(layout->ItemAt(0)->GetName(), L"leaf");
    delete root;
}

TEST(SkinBuilder, ChildLayoutBuildsItsSkinFile) {
    TempDir dir;
    WriteFile(dir / "part.xml", "<Window><Control name=\"part\"/></Window>");
    ui_testing::SkinPathScope scope(dir.path());
    CWindowManagerUI manager;
    CSkinBuilder builder;
    CControlUI* root = builder.Build(
        std::wstring_view(L"<Window><VerticalLayout><ChildLayout xmlfile=\"part.xml\"/>"
                          L"</VerticalLayout></Window>"),
        nullptr, &manager);
    ASSERT_NE(root, nullptr);
    manager.AttachRoot(root);
    CControlUI* child = AsContainer(root)->ItemAt(0);
    ASSERT_EQ(AsContainer(child)->ItemCount(), 1);
    EXPECT_EQ(AsContainer(child)->ItemAt(0)->GetName(), L"part");
}

TEST(SkinBuilder, SkinsThatCannotBeLoadedBuildNothing) {
    CSkinBuilder builder;
    EXPECT_EQ(builder.Build(std::wstring_view(L"<Window><VerticalLayout></Window>")), nullptr);
    EXPECT_FALSE(builder.Document().IsValid());
    EXPECT_EQ(builder.Build(std::wstring_view(L"no-such-skin.xml")), nullptr);
    EXPECT_EQ(builder.Build(99, L"xml"), nullptr);
}

}  // namespace
}  // namespace VantuUI
