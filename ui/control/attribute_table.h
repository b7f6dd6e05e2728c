#pragma once

// Skin attributes of one control class as a table of name -> setter, built at
// compile time and searched by binary search: skins set thousands of
// attributes, and a chain of comparisons grows with every control.
//
// To give a class its attributes, put the table in its SetAttribute (there
// the setters may reach protected members) and hand unknown names on:
//
//   void CTileLayoutUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
//       using Value = const std::wstring&;
//       static constexpr auto kAttributes = MakeAttributeTable<CTileLayoutUI>({
//           {L"columns", [](CTileLayoutUI& c, Value v) { c.SetColumns(ParseInt(v)); }},
//           ...
//       });
//       if (!kAttributes.Apply(*this, name, value)) {
//           CContainerUI::SetAttribute(name, value);
//       }
//   }
//
// Names match exactly; an entry marked AttributeCase::Any matches in any case.
// Two names sharing one setter list the same (static constexpr) lambda twice.
// A name listed twice does not compile.

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "ui/core/text_case.h"

namespace VantuUI {

enum class AttributeCase { Exact, Any };

template <class Class>
struct AttributeEntry {
    std::wstring_view name;
    void (*setter)(Class& control, const std::wstring& value) = nullptr;
    AttributeCase match = AttributeCase::Exact;
};

// Called only while a table is built, where it stops the compilation.
inline void AttributeNameListedTwice() {}

template <class Class, std::size_t N>
class AttributeTable {
  public:
    consteval explicit AttributeTable(const AttributeEntry<Class> (&entries)[N]) {
        std::copy(entries, entries + N, m_entries.begin());
        std::sort(m_entries.begin(), m_entries.end(),
                  [](const auto& a, const auto& b) { return a.name < b.name; });
        for (std::size_t i = 0; i < N; ++i) {
            if (i + 1 < N && m_entries[i].name == m_entries[i + 1].name) {
                AttributeNameListedTwice();
            }
            if (m_entries[i].match == AttributeCase::Any) {
                m_anyCase = true;
            }
        }
    }

    // Runs the setter of `name` and returns true, or returns false when the
    // class has no such attribute.
    bool Apply(Class& control, const std::wstring& name, const std::wstring& value) const {
        const auto found = std::lower_bound(
            m_entries.begin(), m_entries.end(), std::wstring_view(name),
            [](const auto& entry, std::wstring_view key) { return entry.name < key; });
        if (found != m_entries.end() && found->name == name) {
            found->setter(control, value);
            return true;
        }
        if (m_anyCase) {
            for (const auto& entry : m_entries) {
                if (entry.match == AttributeCase::Any && EqualsIgnoringCase(name, entry.name)) {
                    entry.setter(control, value);
                    return true;
                }
            }
        }
        return false;
    }

  private:
    std::array<AttributeEntry<Class>, N> m_entries{};
    bool m_anyCase = false;
};

template <class Class, std::size_t N>
consteval AttributeTable<Class, N> MakeAttributeTable(const AttributeEntry<Class> (&entries)[N]) {
    return AttributeTable<Class, N>(entries);
}

}  // namespace VantuUI
