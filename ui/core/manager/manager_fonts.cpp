// Fonts by number, the window's and the process's default font, and the
// fonts tagged text names by face.

#include <cwchar>

#include "ui/core/manager/manager_shared.h"

namespace VantuUI {

namespace {

constexpr std::size_t kMaxFaceLength = 31;

TFontRecordUI MakeFontRecord(const std::wstring& face, int size, bool bold, bool underline,
                             bool italic) {
    const FontInfo& base = SharedResources().defaultFont.font;
    TFontRecordUI record;
    record.font.face = face.empty() ? base.face : face.substr(0, kMaxFaceLength);
    record.font.size = size;
    record.font.bold = bold;
    record.font.underline = underline;
    record.font.italic = italic;
    return record;
}

int FindIn(const CStringTableUI<TFontRecordUI>& table, const FontInfo& wanted) {
    int id = -1;
    table.ForEach([&](const std::wstring& key, const TFontRecordUI& record) {
        const FontInfo& font = record.font;
        if (id < 0 && font.face == wanted.face && font.size == wanted.size &&
            font.bold == wanted.bold && font.underline == wanted.underline &&
            font.italic == wanted.italic) {
            id = static_cast<int>(std::wcstol(key.c_str(), nullptr, 10));
        }
    });
    return id;
}

}  // namespace

const FontInfo* CWindowManagerUI::RegisterFont(int id, const std::wstring& face, int size,
                                               bool bold, bool underline, bool italic,
                                               bool shared) {
    auto& table = shared || m_forceShared ? SharedResources().fonts : m_fonts;
    const std::wstring key = std::to_wstring(id);
    table.Set(key, MakeFontRecord(face, size, bold, underline, italic));
    return &table.Find(key)->font;
}

bool CWindowManagerUI::SetWindowDefaultFont(const std::wstring& face, int size, bool bold,
                                            bool underline, bool italic, bool shared) {
    TFontRecordUI record = MakeFontRecord(face, size, bold, underline, italic);
    (shared ? SharedResources().defaultFont : m_defaultFont) = record;
    return true;
}

TFontRecordUI& CWindowManagerUI::DefaultFontRecord() {
    return m_defaultFont.font.face.empty() ? SharedResources().defaultFont : m_defaultFont;
}

TFontRecordUI& CWindowManagerUI::FontRecord(int id) {
    if (id >= 0) {
        const std::wstring key = std::to_wstring(id);
        if (TFontRecordUI* own = m_fonts.Find(key)) {
            return *own;
        }
        if (TFontRecordUI* shared = SharedResources().fonts.Find(key)) {
            return *shared;
        }
    }
    return DefaultFontRecord();
}

const FontInfo* CWindowManagerUI::DefaultFont() {
    return &DefaultFontRecord().font;
}

const FontInfo* CWindowManagerUI::FontById(int id) {
    return &FontRecord(id).font;
}

int CWindowManagerUI::FontHeight(int id) {
    TFontRecordUI& record = FontRecord(id);
    if (record.height == 0) {
        record.height = MeasureFontHeight(record.font);
    }
    return record.height;
}

int CWindowManagerUI::DefaultFontHeight() const {
    return const_cast<CWindowManagerUI*>(this)->FontHeight(-1);
}

int CWindowManagerUI::FindFont(const std::wstring& face, int size, bool bold, bool underline,
                               bool italic) const {
    const FontInfo wanted{face, size, bold, underline, italic};
    const int own = FindIn(m_fonts, wanted);
    return own >= 0 ? own : FindIn(SharedResources().fonts, wanted);
}

int CWindowManagerUI::FindFont(const FontInfo& font) {
    return FindFont(font.face, font.size, font.bold, font.underline, font.italic);
}

HFONT CWindowManagerUI::CachedFont(const FontInfo& font) {
    return m_fontObjects.Get(font);
}

int CWindowManagerUI::AddFont(const FontInfo& font) {
    const int found = FindFont(font);
    if (found >= 0) {
        return found;
    }
    const int id = m_nextTagFontId++;
    RegisterFont(id, font.face, font.size, font.bold, font.underline, font.italic, false);
    return id;
}

}  // namespace VantuUI
