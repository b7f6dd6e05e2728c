#include <gtest/gtest.h>

#include "ui/control/attribute_values.h"
#include "ui/control/control.h"

namespace VantuUI {
namespace {

TEST(ControlAttributes, PosGivesOffsetAndSizeAndKeepsHeightWhenIncomplete) {
    CControlUI c;
    c.SetAttribute(L"pos", L"0,272,500,278");
    EXPECT_EQ(c.GetFloatOffset(), (SIZE{0, 272}));
    EXPECT_EQ(c.GetFixedWidth(), 500);
    EXPECT_EQ(c.GetFixedHeight(), 6);

    CControlUI d;
    d.SetAttribute(L"height", L"9");
    d.SetAttribute(L"pos", L"0,272");
    EXPECT_EQ(d.GetFloatOffset(), (SIZE{0, 272}));
    EXPECT_EQ(d.GetFixedWidth(), 0);
    EXPECT_EQ(d.GetFixedHeight(), 9);  // -272 is ignored

    d.SetAttribute(L"pos", L"-5;-6|10 20");  // any one-character separator
    EXPECT_EQ(d.GetFloatOffset(), (SIZE{-5, -6}));
    EXPECT_EQ(d.GetFixedWidth(), 15);
    EXPECT_EQ(d.GetFixedHeight(), 26);
}

TEST(ControlAttributes, BooleansAreTrueOnlyForTheExactWord) {
    CControlUI c;
    c.SetAttribute(L"enabled", L"True");
    EXPECT_FALSE(c.IsEnabled());
    c.SetAttribute(L"enabled", L"true");
    EXPECT_TRUE(c.IsEnabled());
    c.SetAttribute(L"visible", L"1");
    EXPECT_FALSE(c.IsVisible());
    c.SetAttribute(L"menu", L"true");
    EXPECT_TRUE(c.WantsContextMenu());
}

TEST(ControlAttributes, ColoursTakeBlanksAndHashWhereAllowed) {
    CControlUI c;
    c.SetAttribute(L"bkcolor", L"  #FF17212E");
    EXPECT_EQ(c.GetBackColor(), 0xFF17212Eu);
    c.SetAttribute(L"bkcolor2", L"80112233");
    EXPECT_EQ(c.GetBackColor2(), 0x80112233u);
    c.SetAttribute(L"ForeColor", L"#FF000001");
    EXPECT_EQ(c.GetForeColor(), 0xFF000001u);
    c.SetAttribute(L"bordercolor", L"#FF33374A");
    EXPECT_EQ(c.GetBorderColor(), 0xFF33374Au);
    c.SetAttribute(L"bordercolor", L" #FF000000");  // no blanks skipped here
    EXPECT_EQ(c.GetBorderColor(), 0u);
    EXPECT_EQ(ParseColor(L"#1FFFFFFFF", false), 0xFFFFFFFFu);
    EXPECT_EQ(ParseColor(L"", true), 0u);
}

TEST(ControlAttributes, BorderSizeFloatAndUnknownNames) {
    CControlUI c;
    c.SetAttribute(L"bordersize", L"2");
    EXPECT_EQ(c.GetBorderWidths(), (RECT{2, 2, 2, 2}));
    c.SetAttribute(L"bordersize", L"0,0,0,1");
    EXPECT_EQ(c.GetBorderWidths(), (RECT{0, 0, 0, 1}));

    c.SetAttribute(L"float", L"0.5,0.25,1,1");
    EXPECT_TRUE(c.IsFloating());
    EXPECT_EQ(c.GetFloatAnchors(), (TFloatAnchorsUI{0.5, 0.25, 1, 1}));
    c.SetAttribute(L"float", L"false");
    EXPECT_FALSE(c.IsFloating());

    c.SetAttribute(L"Width", L"10");  // names are case-sensitive
    EXPECT_EQ(c.GetFixedWidth(), 0);
    ASSERT_NE(c.ExtraAttribute(L"Width"), nullptr);
    c.SetAttribute(L"Width", L"20");
    EXPECT_STREQ(c.ExtraAttribute(L"Width"), L"10");  // the first value stays
    c.SetAttribute(L"empty", L"");
    EXPECT_EQ(c.ExtraAttribute(L"empty"), nullptr);
}

TEST(ControlAttributes, SizeSettersIgnoreNegativeValuesAndMaxNeverBelowMin) {
    CControlUI c;
    c.SetFixedWidth(-1);
    EXPECT_EQ(c.GetFixedWidth(), 0);
    c.SetMinWidth(50);
    c.SetMaxWidth(20);
    EXPECT_EQ(c.GetMaxWidth(), 50);
    c.SetMinHeight(-3);
    EXPECT_EQ(c.GetMinHeight(), 0);
    EXPECT_EQ(c.GetMaxHeight(), 9999);
}

TEST(ControlAttributes, AttributeStringStopsAtTheFirstDefect) {
    CControlUI c;
    c.ApplyAttributeString(L"name=\"a\" text=\"b c\"  width=\"5\"");
    EXPECT_EQ(c.GetName(), L"a");
    EXPECT_EQ(c.GetText(), L"b c");
    EXPECT_EQ(c.GetFixedWidth(), 0);  // two blanks: the name is " width"
    EXPECT_STREQ(c.ExtraAttribute(L" width"), L"5");

    CControlUI d;
    d.ApplyAttributeString(L"width=\"5\" height=7 tag=\"3\"");
    EXPECT_EQ(d.GetFixedWidth(), 5);
    EXPECT_EQ(d.GetFixedHeight(), 0);
    EXPECT_EQ(d.GetTag(), 0u);

    CControlUI e;
    e.ApplyAttributeString(L"width=\"5\",height=\"7\"");  // no blank after the quote
    EXPECT_EQ(e.GetFixedWidth(), 5);
    EXPECT_EQ(e.GetFixedHeight(), 0);
    e.ApplyAttributeString(L"text=\"unterminated");
    EXPECT_EQ(e.GetText(), L"");
}

TEST(ControlAttributes, ToolTipLineBreaksAndShortcut) {
    CControlUI c;
    c.SetAttribute(L"tooltip", L"one<n>two<n>");
    EXPECT_EQ(c.GetToolTip(), L"one\r\ntwo\r\n");
    c.SetAttribute(L"shortcut", L"xyz");
    EXPECT_EQ(c.GetShortcut(), L'x');
    c.SetAttribute(L"shortcut", L"");
    EXPECT_EQ(c.GetShortcut(), L'\0');
}

}  // namespace
}  // namespace VantuUI
