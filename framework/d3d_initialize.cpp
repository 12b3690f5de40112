// CD3DInitialize: life cycle, validation hooks and the enumeration of the
// adapter tree. The settings selections live in d3d_initialize_selection.cpp,
// device and window creation in d3d_initialize_display.cpp.
//
// Every Enumerate* step returns 0 with its list filled, E_ABORT when its list
// came out empty (the caller drops the record and goes on) or another failure
// that ends the whole enumeration. Records are built in unique_ptrs and only
// appended once complete, so a dropped or failed record frees itself.

#include "framework/d3d_initialize.h"

#include <algorithm>
#include <array>
#include <new>

namespace RenderLib {

namespace {

// The candidate tables, in order of preference.
constexpr std::array<D3DFORMAT, 3> kAdapterFormats = {D3DFMT_X8R8G8B8, D3DFMT_X1R5G5B5,
                                                      D3DFMT_R5G6B5};
constexpr std::array<D3DDEVTYPE, 3> kDeviceTypes = {D3DDEVTYPE_HAL, D3DDEVTYPE_SW, D3DDEVTYPE_REF};
constexpr std::array<D3DFORMAT, 11> kBackBufferFormats = {
    D3DFMT_R8G8B8,   D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8,   D3DFMT_R5G6B5,
    D3DFMT_A1R5G5B5, D3DFMT_X1R5G5B5, D3DFMT_R3G3B2,     D3DFMT_A8R3G3B2,
    D3DFMT_X4R4G4B4, D3DFMT_A4R4G4B4, D3DFMT_A2B10G10R10};
constexpr std::array<D3DFORMAT, 6> kDepthStencilFormats = {
    D3DFMT_D32, D3DFMT_D24X4S4, D3DFMT_D24X8, D3DFMT_D24S8, D3DFMT_D16, D3DFMT_D15S1};
constexpr std::array<UINT, 6> kPresentIntervals = {
    D3DPRESENT_INTERVAL_IMMEDIATE, D3DPRESENT_INTERVAL_DEFAULT, D3DPRESENT_INTERVAL_ONE,
    D3DPRESENT_INTERVAL_TWO,       D3DPRESENT_INTERVAL_THREE,   D3DPRESENT_INTERVAL_FOUR};
// NONE, NONMASKABLE, then 2 to 16 samples: the type values 0 to 16.
constexpr DWORD kMultiSampleTypeCount = 17;

// Display formats of modes, distinct, in first-seen order.
std::vector<D3DFORMAT> DistinctFormats(const std::vector<D3DDISPLAYMODE>& modes) {
    std::vector<D3DFORMAT> formats;
    for (const D3DDISPLAYMODE& mode : modes) {
        if (std::find(formats.begin(), formats.end(), mode.Format) == formats.end()) {
            formats.push_back(mode.Format);
        }
    }
    return formats;
}

}  // namespace

CD3DInitialize::~CD3DInitialize() {
    Clear();
    SafeRelease(device_);
}

void CD3DInitialize::Clear() {
    SafeRelease(direct3D_);
    adapters_.clear();
}

// ---- Enumeration ----

HRESULT CD3DInitialize::Enumerate(IDirect3D9* direct3D) {
    if (direct3D == nullptr) {
        return E_FAIL;
    }
    // Reference the new object before dropping the old one: they may be the same.
    direct3D->AddRef();
    Clear();
    direct3D_ = direct3D;
    HRESULT result;
    try {
        result = EnumerateAdapters();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return FAILED(result) ? result : S_OK;
}

HRESULT CD3DInitialize::EnumerateAdapters() {
    const UINT count = direct3D_->GetAdapterCount();
    for (UINT ordinal = 0; ordinal < count; ++ordinal) {
        auto adapter = std::make_unique<D3DAdapterInfo>();
        adapter->ordinal = ordinal;
        // The identifier is informational only; an unreadable one stays zero.
        if (FAILED(direct3D_->GetAdapterIdentifier(ordinal, 0, &adapter->identifier))) {
            adapter->identifier = D3DADAPTER_IDENTIFIER9{};
        }
        HRESULT result = EnumerateDisplayModes(*adapter);
        if (SUCCEEDED(result)) {
            result = EnumerateDevices(*adapter);
        }
        if (result == E_ABORT) {
            continue;
        }
        if (FAILED(result)) {
            return result;
        }
        adapters_.push_back(std::move(adapter));
    }
    return S_OK;
}

HRESULT CD3DInitialize::EnumerateDisplayModes(D3DAdapterInfo& adapter) {
    for (D3DFORMAT format : kAdapterFormats) {
        const UINT count = direct3D_->GetAdapterModeCount(adapter.ordinal, format);
        for (UINT index = 0; index < count; ++index) {
            D3DDISPLAYMODE mode;
            const HRESULT result =
                direct3D_->EnumAdapterModes(adapter.ordinal, format, index, &mode);
            if (FAILED(result)) {
                return result;
            }
            if (ValidateDisplayMode(mode)) {
                adapter.displayModes.push_back(mode);
            }
        }
    }
    return adapter.displayModes.empty() ? E_ABORT : S_OK;
}

HRESULT CD3DInitialize::EnumerateDevices(D3DAdapterInfo& adapter) {
    for (D3DDEVTYPE type : kDeviceTypes) {
        D3DCAPS9 caps;
        if (FAILED(direct3D_->GetDeviceCaps(adapter.ordinal, type, &caps)) ||
            !ValidateDevice(type, caps)) {
            continue;
        }
        auto device = std::make_unique<D3DDeviceInfo>();
        device->deviceType = type;
        device->caps = caps;
        const HRESULT result = EnumerateDeviceCombos(adapter, *device);
        if (result == E_ABORT) {
            continue;
        }
        if (FAILED(result)) {
            return result;
        }
        adapter.devices.push_back(std::move(device));
    }
    return adapter.devices.empty() ? E_ABORT : S_OK;
}

HRESULT CD3DInitialize::EnumerateDeviceCombos(const D3DAdapterInfo& adapter,
                                              D3DDeviceInfo& device) {
    for (D3DFORMAT adapterFormat : DistinctFormats(adapter.displayModes)) {
        for (D3DFORMAT backBufferFormat : kBackBufferFormats) {
            for (bool windowed : {false, true}) {
                if (FAILED(direct3D_->CheckDeviceType(adapter.ordinal, device.deviceType,
                                                      adapterFormat, backBufferFormat,
                                                      windowed ? 1 : 0))) {
                    continue;
                }
                auto combo = std::make_unique<D3DDeviceCombo>();
                combo->adapterOrdinal = adapter.ordinal;
                combo->deviceType = device.deviceType;
                combo->caps = device.caps;
                combo->adapterFormat = adapterFormat;
                combo->backBufferFormat = backBufferFormat;
                combo->windowed = windowed;
                if (!ValidateBackBufferFormat(backBufferFormat, windowed)) {
                    continue;
                }
                const HRESULT result = EnumerateComboLists(*combo);
                if (result == E_ABORT) {
                    continue;
                }
                if (FAILED(result)) {
                    return result;
                }
                device.combos.push_back(std::move(combo));
            }
        }
    }
    return device.combos.empty() ? E_ABORT : S_OK;
}

HRESULT CD3DInitialize::EnumerateComboLists(D3DDeviceCombo& combo) {
    HRESULT result = EnumerateDepthStencilFormats(combo);
    if (SUCCEEDED(result)) {
        result = EnumerateMultiSampleTypes(combo);
    }
    if (SUCCEEDED(result)) {
        result = EnumerateVertexProcessingTypes(combo);
    }
    if (SUCCEEDED(result)) {
        result = EnumeratePresentIntervals(combo);
    }
    return result;
}

HRESULT CD3DInitialize::EnumerateDepthStencilFormats(D3DDeviceCombo& combo) {
    for (D3DFORMAT format : kDepthStencilFormats) {
        if (SUCCEEDED(direct3D_->CheckDeviceFormat(combo.adapterOrdinal, combo.deviceType,
                                                   combo.adapterFormat, D3DUSAGE_DEPTHSTENCIL,
                                                   D3DRTYPE_SURFACE, format)) &&
            SUCCEEDED(direct3D_->CheckDepthStencilMatch(combo.adapterOrdinal, combo.deviceType,
                                                        combo.adapterFormat, combo.backBufferFormat,
                                                        format)) &&
            ValidateDepthStencilFormat(format)) {
            combo.depthStencilFormats.push_back(format);
        }
    }
    return combo.depthStencilFormats.empty() ? E_ABORT : S_OK;
}

HRESULT CD3DInitialize::EnumerateMultiSampleTypes(D3DDeviceCombo& combo) {
    for (DWORD value = 0; value < kMultiSampleTypeCount; ++value) {
        const auto type = static_cast<D3DMULTISAMPLE_TYPE>(value);
        DWORD qualityLevels = 0;
        if (SUCCEEDED(direct3D_->CheckDeviceMultiSampleType(
                combo.adapterOrdinal, combo.deviceType, combo.backBufferFormat,
                combo.windowed ? 1 : 0, type, &qualityLevels)) &&
            ValidateMultiSampleType(type)) {
            combo.multiSampleTypes.push_back(type);
            combo.multiSampleQualities.push_back(qualityLevels);
        }
    }
    return combo.multiSampleTypes.empty() ? E_ABORT : S_OK;
}

HRESULT CD3DInitialize::EnumerateVertexProcessingTypes(D3DDeviceCombo& combo) {
    std::vector<VertexProcessingType> candidates;
    if ((combo.caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) != 0) {
        if ((combo.caps.DevCaps & D3DDEVCAPS_PUREDEVICE) != 0) {
            candidates.push_back(VertexProcessingType::PureHardware);
        }
        candidates.push_back(VertexProcessingType::Hardware);
        candidates.push_back(VertexProcessingType::Mixed);
    }
    candidates.push_back(VertexProcessingType::Software);
    for (VertexProcessingType type : candidates) {
        if (ValidateVertexProcessingType(type)) {
            combo.vertexProcessingTypes.push_back(type);
        }
    }
    return combo.vertexProcessingTypes.empty() ? E_ABORT : S_OK;
}

HRESULT CD3DInitialize::EnumeratePresentIntervals(D3DDeviceCombo& combo) {
    for (UINT interval : kPresentIntervals) {
        // A windowed device presents at most once per refresh.
        if (combo.windowed &&
            (interval == D3DPRESENT_INTERVAL_TWO || interval == D3DPRESENT_INTERVAL_THREE ||
             interval == D3DPRESENT_INTERVAL_FOUR)) {
            continue;
        }
        // DEFAULT is always available and needs no approval.
        if (interval == D3DPRESENT_INTERVAL_DEFAULT) {
            combo.presentIntervals.push_back(interval);
            continue;
        }
        if ((combo.caps.PresentationIntervals & interval) != 0 &&
            ValidatePresentInterval(interval)) {
            combo.presentIntervals.push_back(interval);
        }
    }
    return combo.presentIntervals.empty() ? E_ABORT : S_OK;
}

}  // namespace RenderLib
