// The process's numbered strings and "%{n}" substitution.

#include "ui/core/manager/manager_shared.h"

namespace VantuUI {

void CWindowManagerUI::SetNumberedString(int id, const std::wstring& text) {
    SharedResources().strings.Set(std::to_wstring(id), text);
}

const std::wstring* CWindowManagerUI::NumberedString(int id) {
    return SharedResources().strings.Find(std::to_wstring(id));
}

void CWindowManagerUI::RemoveAllNumberedStrings() {
    SharedResources().strings.Clear();
}

std::wstring CWindowManagerUI::ExpandTokens(const std::wstring& text) {
    std::wstring out;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find(L"%{", at);
        if (open == std::wstring::npos) {
            break;
        }
        std::size_t digitsEnd = open + 2;
        while (digitsEnd < text.size() && text[digitsEnd] >= L'0' && text[digitsEnd] <= L'9') {
            ++digitsEnd;
        }
        const bool isToken =
            digitsEnd > open + 2 && digitsEnd < text.size() && text[digitsEnd] == L'}';
        const std::wstring* replacement =
            isToken ? SharedResources().strings.Find(text.substr(open + 2, digitsEnd - open - 2))
                    : nullptr;
        if (replacement == nullptr) {
            out.append(text, at, open + 2 - at);
            at = open + 2;
            continue;
        }
        out.append(text, at, open - at);
        out += *replacement;
        at = digitsEnd + 1;
    }
    out.append(text, at, std::wstring::npos);
    return out;
}

}  // namespace VantuUI
