#include "platform/gfx/d3d9.h"

#include <cstring>
#include <utility>

namespace {
Direct3DFactory& InstalledFactory() {
    static Direct3DFactory factory;
    return factory;
}
}  // namespace

IDirect3D9* Direct3DCreate9(UINT sdkVersion) {
    const Direct3DFactory& factory = InstalledFactory();
    return factory ? factory(sdkVersion) : nullptr;
}

void SetDirect3DFactory(Direct3DFactory factory) { InstalledFactory() = std::move(factory); }

DWORD FloatToDword(float value) {
    DWORD bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float DwordToFloat(DWORD value) {
    float result;
    std::memcpy(&result, &value, sizeof result);
    return result;
}
