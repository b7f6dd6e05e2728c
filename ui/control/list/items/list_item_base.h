#pragma once

// What every list item shares, whether it is one control or a container of
// controls: index, owner, selection, hover, the background by state and the
// item's input. `Base` is CControlUI or CContainerUI.

#include "ui/control/attribute_values.h"
#include "ui/control/control.h"
#include "ui/control/list/items/list_item_events.h"
#include "ui/control/list/list_item_style.h"

namespace VantuUI {

template <class Base>
class CListItemBaseUI : public Base, public IListItemUI {
  public:
    void* FindInterface(const std::wstring& name) override {
        if (name == L"IListItem") {
            return static_cast<IListItemUI*>(this);
        }
        return Base::FindInterface(name);
    }
    void SetEnabled(bool enabled = true) override {
        Base::SetEnabled(enabled);
        if (!enabled) {
            m_link.hot = false;
        }
    }
    void HandleEvent(TInputEventUI& event) override {
        if (PassMouseToParent(*this, event)) {
            return;
        }
        switch (HandleListItemEvent(*this, m_link, event)) {
            case ListItemEvent::Activate:
                Activate();
                return;
            case ListItemEvent::Handled:
                return;
            case ListItemEvent::NotMine:
                Base::HandleEvent(event);
                return;
        }
    }
    void PaintStateImage(HDC dc) override {
        if (TListItemStyleUI* style = Style()) {
            PaintListItemBack(dc, *this, *style, State());
        }
    }
    void PaintBorderLayer(HDC dc) override {
        if (TListItemStyleUI* style = Style()) {
            PaintListItemLines(dc, this->GetItemRect(), *style, nullptr);
        }
        Base::PaintBorderLayer(dc);
    }

    // IListItemUI
    int GetIndex() const override { return m_link.index; }
    void SetIndex(int index) override { m_link.index = index; }
    IListOwnerUI* GetOwner() override { return m_link.owner; }
    void SetOwner(CControlUI* owner) override { m_link.SetOwner(owner); }
    bool IsSelected() const override { return m_link.selected; }
    bool Select(bool select = true) override {
        if (!this->IsEnabled() && select) {
            return false;
        }
        if (m_link.selected != select) {
            m_link.selected = select;
            this->Invalidate();
        }
        return true;
    }
    bool IsExpanded() const override { return m_link.expanded; }
    bool Expand(bool) override { return false; }
    // The control's text in the item look, as a combo box shows its choice.
    void DrawItemText(HDC dc, const RECT& rect) override {
        if (TListItemStyleUI* style = Style()) {
            DrawListItemText(dc, *this, *style, ListItemTextColor(*style, State()), rect,
                             this->GetText());
        }
    }

    // "itemactivate"; false when the item cannot be activated.
    bool Activate() override {
        if (!this->CanActivate()) {
            return false;
        }
        RaiseListNotification(*this, L"itemactivate");
        return true;
    }

  protected:
    // "selected": through the owner, so that its selection follows.
    void ApplySelected(const std::wstring& value) {
        if (ParseBool(value) && m_link.owner != nullptr) {
            m_link.owner->SelectItem(m_link.index);
        } else {
            Select(ParseBool(value));
        }
    }
    TListItemStateUI State() const {
        return TListItemStateUI{m_link.index, m_link.selected, m_link.hot, this->IsEnabled()};
    }
    // The owner's item look; null without an owner.
    TListItemStyleUI* Style() const {
        return m_link.owner != nullptr ? &m_link.owner->GetItemStyle() : nullptr;
    }

    TListItemLinkUI m_link;
};

}  // namespace VantuUI
