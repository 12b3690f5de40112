#pragma once

// Small value types and constants of the user-interface toolkit: points,
// sizes and rectangles in pixels, and the classic numeric values of window
// styles, show commands, size types and mouse-key flags that the shell's
// code passes around.

#include <cstdint>

#include "platform/gfx/d3d9_types.h"

using LPARAM = std::intptr_t;
using WPARAM = std::uintptr_t;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using LONG = std::int32_t;
using COLORREF = std::uint32_t;  // 0x00BBGGRR

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16);
}

struct CPoint : POINT {
    CPoint() = default;
    CPoint(std::int32_t px, std::int32_t py) {
        x = px;
        y = py;
    }
    bool operator==(const CPoint& other) const { return x == other.x && y == other.y; }
};

struct CSize {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    CSize() = default;
    CSize(std::int32_t width, std::int32_t height) : cx(width), cy(height) {}
};

// A rectangle whose right and bottom edges are exclusive.
struct CRect : RECT {
    CRect() = default;
    CRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    CRect(const RECT& other) : RECT(other) {}  // NOLINT: implicit like the classic CRect

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    CSize Size() const { return {Width(), Height()}; }
    CPoint TopLeft() const { return {left, top}; }
    bool IsRectEmpty() const { return Width() <= 0 || Height() <= 0; }
    bool PtInRect(CPoint point) const {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }
    void OffsetRect(std::int32_t dx, std::int32_t dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    bool operator==(const CRect& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

// The screen position (pixels in the main window) where a parent's client
// area starts; windows draw themselves relative to it.
struct DrawOrigin {
    float x = 0.0f;
    float y = 0.0f;
};

// ---- Show commands ----
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;

// ---- Size types of OnSize ----
constexpr UINT SIZE_RESTORED = 0;
constexpr UINT SIZE_MINIMIZED = 1;
constexpr UINT SIZE_MAXIMIZED = 2;

// ---- Key flags of mouse handlers ----
constexpr UINT MK_LBUTTON = 0x0001;
constexpr UINT MK_RBUTTON = 0x0002;
constexpr UINT MK_SHIFT = 0x0004;
constexpr UINT MK_CONTROL = 0x0008;

// ---- Window styles (only the bits the toolkit looks at) ----
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_OVERLAPPEDWINDOW = 0x00CF0000;
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;  // frame title: "document - application"

// ---- Trackbar styles ----
constexpr DWORD TBS_AUTOTICKS = 0x0001;
constexpr DWORD TBS_VERT = 0x0002;
constexpr DWORD TBS_TOP = 0x0004;  // ticks above the channel
constexpr DWORD TBS_NOTICKS = 0x0010;

// ---- Edit styles ----
constexpr DWORD ES_AUTOHSCROLL = 0x0080;

// ---- Push-button styles ----
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;

// ---- Property-sheet header flags ----
constexpr DWORD PSH_USEHICON = 0x0002;
constexpr DWORD PSH_NOAPPLYNOW = 0x0080;
constexpr DWORD PSH_HASHELP = 0x0200;

// ---- Message boxes (beyond platform/window/system.h) ----
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONSTOP = 0x10;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONMASK = 0xF0;

// One notch of the mouse wheel in a wheel message's delta.
constexpr short WHEEL_DELTA = 120;
