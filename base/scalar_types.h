#pragma once

// The scalar types, result codes and small records the program's layers share:
// the device interface, the window layer and the toolkit speak in them. They
// keep the classic Windows names and values, so recorded calls and settings
// records read the same everywhere.

#include <cstdint>

// ---- Results (HRESULT convention: 0 success, negative failure) ----

using HRESULT = std::int32_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using ULONG = std::uint32_t;
using BOOL = std::int32_t;

#ifndef TRUE
constexpr BOOL TRUE = 1;
#endif
#ifndef FALSE
constexpr BOOL FALSE = 0;
#endif

constexpr HRESULT MakeResult(std::uint32_t bits) { return static_cast<HRESULT>(bits); }
constexpr bool SUCCEEDED(HRESULT result) { return result >= 0; }
constexpr bool FAILED(HRESULT result) { return result < 0; }

constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = MakeResult(0x80004005u);
constexpr HRESULT E_ABORT = MakeResult(0x80004004u);
constexpr HRESULT E_NOTIMPL = MakeResult(0x80004001u);
constexpr HRESULT E_OUTOFMEMORY = MakeResult(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = MakeResult(0x80070057u);

// ---- Records ----

struct RECT {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};
struct POINT {
    std::int32_t x = 0, y = 0;
};

// A window of the platform layer (platform/window/window.h).
class Window;
using HWND = Window*;
