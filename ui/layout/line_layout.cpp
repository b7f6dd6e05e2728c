#include "ui/layout/line_layout.h"

#include <algorithm>

#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/control/scroll/scroll_bar.h"

namespace VantuUI {

namespace {

// One axis of the layout: reads sizes, edges and limits along x or along y,
// so the row and the column share one algorithm.
struct Axis {
    bool x;

    int Of(SIZE s) const { return x ? s.cx : s.cy; }
    int Near(const RECT& r) const { return x ? r.left : r.top; }
    int Far(const RECT& r) const { return x ? r.right : r.bottom; }
    int Fixed(const CControlUI* c) const { return x ? c->GetFixedWidth() : c->GetFixedHeight(); }
    int Min(const CControlUI* c) const { return x ? c->GetMinWidth() : c->GetMinHeight(); }
    int Max(const CControlUI* c) const { return x ? c->GetMaxWidth() : c->GetMaxHeight(); }
    // What a child may ask for: its fixed size, else its maximum.
    int Candidate(const CControlUI* c) const { return Fixed(c) < 1 ? Max(c) : Fixed(c); }
    // A size or rectangle from values along this axis and across it.
    SIZE Size(int along, int across) const { return x ? SIZE{along, across} : SIZE{across, along}; }
    RECT Rect(int nearAlong, int nearAcross, int farAlong, int farAcross) const {
        return x ? RECT{nearAlong, nearAcross, farAlong, farAcross}
                 : RECT{nearAcross, nearAlong, farAcross, farAlong};
    }
};

}  // namespace

CLineLayoutUI::CLineLayoutUI(bool horizontal)
    : m_separator{0, !horizontal}, m_horizontal(horizontal) {}

void CLineLayoutUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    static constexpr auto kAttributes = MakeAttributeTable<CLineLayoutUI>({
        {L"sepimm",
         [](CLineLayoutUI& c, const std::wstring& v) { c.SetSeparatorImmediate(ParseBool(v)); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CContainerUI::SetAttribute(name, value);
    }
}

bool CLineLayoutUI::IsSeparatorImmediate() const {
    return m_separator.immediate;
}

void CLineLayoutUI::SetSeparatorImmediate(bool immediate) {
    SetSeparatorImmediateMode(m_separator, immediate);
}

UINT CLineLayoutUI::GetInputFlags() {
    if (IsEnabled() && m_separator.size != 0) {
        return UIFLAG_SETCURSOR;
    }
    return CContainerUI::GetInputFlags();
}

void CLineLayoutUI::HandleEvent(TInputEventUI& event) {
    if (!HandleSeparatorEvent(m_separator, event)) {
        CContainerUI::HandleEvent(event);
    }
}

void CLineLayoutUI::PaintOverlay(HDC dc, const RECT& paintRect) {
    PaintSeparatorOverlay(m_separator, dc);
    CContainerUI::PaintOverlay(dc, paintRect);
}

void CLineLayoutUI::SetItemRect(RECT rect, bool invalidate) {
    const std::optional<RECT> area = StartLayout(rect, invalidate);
    if (!area) {
        return;
    }
    const RECT rc = *area;
    const Axis along{m_horizontal};
    const Axis across{!m_horizontal};
    CScrollBarUI* const hBar = HorizontalBarShown() ? m_horizontalBar : nullptr;
    CScrollBarUI* const vBar = VerticalBarShown() ? m_verticalBar : nullptr;
    CScrollBarUI* const alongBar = m_horizontal ? hBar : vBar;
    CScrollBarUI* const acrossBar = m_horizontal ? vBar : hBar;
    const int room = along.Far(rc) - along.Near(rc) + (alongBar ? alongBar->GetRange() : 0);
    const int depth = across.Far(rc) - across.Near(rc) + (acrossBar ? acrossBar->GetRange() : 0);
    // A row asks a child for its desired width only when the child has a
    // fixed width; a column always asks for the desired height.
    auto asksDesired = [&](const CControlUI* c) { return !m_horizontal || along.Fixed(c) != 0; };

    int adjustable = 0;
    int fixedSum = 0;
    int neededAcross = 0;
    int count = 0;
    for (CControlUI* child : m_items) {
        if (!child->IsVisible() || child->IsFloating()) {
            continue;
        }
        const RECT p = child->GetPadding();
        const int space = depth - across.Near(p) - across.Far(p);
        int size = 0;
        int thickness;
        if (!asksDesired(child)) {
            ++adjustable;
            thickness = across.Fixed(child);
        } else {
            const SIZE sz = child->GetDesiredSize(along.Size(
                std::min(along.Candidate(child), room), std::min(across.Candidate(child), space)));
            if (along.Of(sz) == 0) {
                ++adjustable;
            } else {
                size = std::clamp(along.Of(sz), along.Min(child), along.Max(child));
            }
            thickness =
                std::clamp(std::max(across.Of(sz), 0), across.Min(child), across.Max(child));
        }
        fixedSum += along.Near(p) + size + along.Far(p);
        neededAcross = std::max(neededAcross, thickness + across.Near(p) + across.Far(p));
        ++count;
    }
    fixedSum += m_childGap * std::max(count - 1, 0);
    const int share = adjustable > 0 ? std::max(0, (room - fixedSum) / adjustable) : 0;

    int pos = along.Near(rc) - (alongBar ? alongBar->GetPosition() : 0);
    int remaining = room;
    int neededAlong = 0;
    int adjusted = 0;
    int laid = 0;
    PlaceChildren([&](CControlUI* child, int) {
        const RECT p = child->GetPadding();
        remaining -= along.Near(p);
        fixedSum -= along.Near(p) + along.Far(p);
        if (laid > 0) {
            fixedSum -= m_childGap;
        }
        const int space = depth - across.Near(p) - across.Far(p);
        const SIZE sz = child->GetDesiredSize(along.Size(
            std::min(along.Candidate(child), remaining), std::min(across.Candidate(child), space)));
        int size;
        if (asksDesired(child) && along.Of(sz) != 0) {
            size = std::clamp(along.Of(sz), along.Min(child), along.Max(child));
            fixedSum -= size;
        } else {
            ++adjusted;
            size = share;
            if (adjusted == adjustable) {
                size = std::max(0, remaining - along.Far(p) - fixedSum);
            }
            size = std::clamp(size, along.Min(child), along.Max(child));
        }

        int thickness = std::min(across.Candidate(child), space);
        const int maxThickness = across.Max(child);
        thickness = std::min(thickness, maxThickness == 0 ? space : maxThickness);
        thickness = std::max(thickness, 0);
        thickness = std::max(thickness, across.Min(child));

        const UINT align = m_horizontal ? m_childVAlign : m_childAlign;
        int start;
        if ((align & (m_horizontal ? DT_VCENTER : DT_CENTER)) != 0) {
            int centre = (across.Near(rc) + across.Far(rc)) / 2;
            if (acrossBar) {
                centre += acrossBar->GetRange() / 2 - acrossBar->GetPosition();
            }
            start = centre - thickness / 2;
        } else if ((align & (m_horizontal ? DT_BOTTOM : DT_RIGHT)) != 0) {
            int edge = across.Far(rc);
            if (acrossBar) {
                edge += acrossBar->GetRange() - acrossBar->GetPosition();
            }
            start = edge - across.Far(p) - thickness;
        } else {
            start = across.Near(rc) + across.Near(p) - (acrossBar ? acrossBar->GetPosition() : 0);
        }

        const int first = pos + along.Near(p);
        child->SetItemRect(along.Rect(first, start, first + size, start + thickness), false);
        pos += size + along.Near(p) + along.Far(p) + m_childGap;
        neededAlong += size + along.Near(p) + along.Far(p);
        remaining -= size + along.Far(p) + m_childGap;
        ++laid;
    });
    const SIZE needed = along.Size(neededAlong + m_childGap * std::max(count - 1, 0), neededAcross);
    UpdateScrollBars(rc, needed.cx, needed.cy);
}

}  // namespace VantuUI
