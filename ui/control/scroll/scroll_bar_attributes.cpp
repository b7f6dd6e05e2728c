// Skin attributes of a scroll bar, and the images and colours of its parts.

#include <utility>

#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/control/scroll/scroll_bar.h"

namespace VantuUI {

namespace {

using Part = ScrollBarPart;
using State = ScrollBarImageState;

template <Part P, State S>
void SetImageAttribute(CScrollBarUI& bar, const std::wstring& value) {
    bar.SetPartImage(P, S, value);
}

template <Part P>
void SetColorAttribute(CScrollBarUI& bar, const std::wstring& value) {
    bar.SetPartColor(P, ParseColor(value, true));
}

}  // namespace

void CScrollBarUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using Value = const std::wstring&;
    static constexpr auto kAttributes = MakeAttributeTable<CScrollBarUI>({
        {L"button1color", &SetColorAttribute<Part::Button1>},
        {L"button2color", &SetColorAttribute<Part::Button2>},
        {L"thumbcolor", &SetColorAttribute<Part::Thumb>},
        {L"button1normalimage", &SetImageAttribute<Part::Button1, State::Normal>},
        {L"button1hotimage", &SetImageAttribute<Part::Button1, State::Hot>},
        {L"button1pushedimage", &SetImageAttribute<Part::Button1, State::Pushed>},
        {L"button1disabledimage", &SetImageAttribute<Part::Button1, State::Disabled>},
        {L"button2normalimage", &SetImageAttribute<Part::Button2, State::Normal>},
        {L"button2hotimage", &SetImageAttribute<Part::Button2, State::Hot>},
        {L"button2pushedimage", &SetImageAttribute<Part::Button2, State::Pushed>},
        {L"button2disabledimage", &SetImageAttribute<Part::Button2, State::Disabled>},
        {L"thumbnormalimage", &SetImageAttribute<Part::Thumb, State::Normal>},
        {L"thumbhotimage", &SetImageAttribute<Part::Thumb, State::Hot>},
        {L"thumbpushedimage", &SetImageAttribute<Part::Thumb, State::Pushed>},
        {L"thumbdisabledimage", &SetImageAttribute<Part::Thumb, State::Disabled>},
        {L"railnormalimage", &SetImageAttribute<Part::Rail, State::Normal>},
        {L"railhotimage", &SetImageAttribute<Part::Rail, State::Hot>},
        {L"railpushedimage", &SetImageAttribute<Part::Rail, State::Pushed>},
        {L"raildisabledimage", &SetImageAttribute<Part::Rail, State::Disabled>},
        {L"bknormalimage", &SetImageAttribute<Part::Background, State::Normal>},
        {L"bkhotimage", &SetImageAttribute<Part::Background, State::Hot>},
        {L"bkpushedimage", &SetImageAttribute<Part::Background, State::Pushed>},
        {L"bkdisabledimage", &SetImageAttribute<Part::Background, State::Disabled>},
        {L"hor", [](CScrollBarUI& c, Value v) { c.SetHorizontal(ParseBool(v)); }},
        {L"linesize", [](CScrollBarUI& c, Value v) { c.SetLineSize(ParseInt(v)); }},
        {L"range", [](CScrollBarUI& c, Value v) { c.SetRange(ParseInt(v)); }},
        {L"value", [](CScrollBarUI& c, Value v) { c.SetPosition(ParseInt(v)); }},
        {L"scrollunit", [](CScrollBarUI& c, Value v) { c.SetScrollUnit(ParseInt(v)); }},
        {L"showbutton1", [](CScrollBarUI& c, Value v) { c.ShowButton1(ParseBool(v)); }},
        {L"showbutton2", [](CScrollBarUI& c, Value v) { c.ShowButton2(ParseBool(v)); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CControlUI::SetAttribute(name, value);
    }
}

const CScrollBarUI::Piece* CScrollBarUI::PieceOf(ScrollBarPart part) const {
    switch (part) {
        case Part::Button1:
            return &m_button1;
        case Part::Button2:
            return &m_button2;
        case Part::Thumb:
            return &m_thumb;
        default:
            return nullptr;
    }
}

CScrollBarUI::Piece* CScrollBarUI::PieceOf(ScrollBarPart part) {
    return const_cast<Piece*>(std::as_const(*this).PieceOf(part));
}

const CScrollBarUI::StateImages& CScrollBarUI::ImagesOf(ScrollBarPart part) const {
    if (const Piece* piece = PieceOf(part)) {
        return piece->images;
    }
    return part == Part::Rail ? m_railImages : m_backgroundImages;
}

CScrollBarUI::StateImages& CScrollBarUI::ImagesOf(ScrollBarPart part) {
    return const_cast<StateImages&>(std::as_const(*this).ImagesOf(part));
}

const std::wstring& CScrollBarUI::GetPartImage(ScrollBarPart part,
                                               ScrollBarImageState state) const {
    return ImagesOf(part)[static_cast<size_t>(state)].spec;
}

void CScrollBarUI::SetPartImage(ScrollBarPart part, ScrollBarImageState state,
                                const std::wstring& spec) {
    ImageDrawInfo& record = ImagesOf(part)[static_cast<size_t>(state)];
    if (record.spec == spec) {
        return;
    }
    record.Clear();
    record.spec = spec;
    Invalidate();
}

DWORD CScrollBarUI::GetPartColor(ScrollBarPart part) const {
    const Piece* piece = PieceOf(part);
    return piece != nullptr ? piece->color : 0;
}

void CScrollBarUI::SetPartColor(ScrollBarPart part, DWORD color) {
    Piece* piece = PieceOf(part);
    if (piece == nullptr || piece->color == color) {
        return;
    }
    piece->color = color;
    Invalidate();
}

}  // namespace VantuUI
