#pragma once

// What the control window classes share: a record per window, made on
// WM_NCCREATE, kept as a window property (so a superclass may use the
// window's user data) and deleted on WM_NCDESTROY; and painting between
// BeginPaint and EndPaint.

#include <memory>

#include "platform/window/window_system.h"

namespace platform::controls {

template <typename Record>
Record* RecordOf(HWND hwnd, const wchar_t* property) {
    return static_cast<Record*>(GetProp(hwnd, property));
}

// A window procedure's body over its record: `make(hwnd, create)` returns the
// new record (a unique_ptr), `handle(record, message, wParam, lParam)` answers
// the messages in between.
template <typename Record, typename Make, typename Handle>
LRESULT RecordWindowProc(const wchar_t* property, HWND hwnd, UINT message, WPARAM wParam,
                         LPARAM lParam, Make make, Handle handle) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
        std::unique_ptr<Record> record = make(hwnd, *create);
        SetProp(hwnd, property, record.release());
    } else if (message == WM_NCDESTROY) {
        delete static_cast<Record*>(RemoveProp(hwnd, property));
    } else if (Record* record = RecordOf<Record>(hwnd, property)) {
        return handle(*record, message, wParam, lParam);
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

// WM_PAINT: `paint(dc)` between BeginPaint and EndPaint.
template <typename Paint>
LRESULT PaintWindow(HWND hwnd, Paint paint) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (dc != nullptr) {
        paint(dc);
    }
    EndPaint(hwnd, &ps);
    return 0;
}

}  // namespace platform::controls
