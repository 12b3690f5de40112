#include "platform/gfx/recording/recording_device.h"

#include <cstdio>
#include <utility>

#include "platform/gfx/recording/call_line.h"

D3DCAPS9 CapableCaps(D3DDEVTYPE type) {
    D3DCAPS9 caps;
    caps.DeviceType = type;
    caps.PresentationIntervals = D3DPRESENT_INTERVAL_ONE | D3DPRESENT_INTERVAL_TWO |
                                 D3DPRESENT_INTERVAL_THREE | D3DPRESENT_INTERVAL_FOUR |
                                 D3DPRESENT_INTERVAL_IMMEDIATE;
    caps.DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT | D3DDEVCAPS_PUREDEVICE;
    caps.PrimitiveMiscCaps = D3DPMISCCAPS_CULLNONE | D3DPMISCCAPS_CULLCW | D3DPMISCCAPS_CULLCCW;
    caps.RasterCaps = D3DPRASTERCAPS_DITHER | D3DPRASTERCAPS_ANISOTROPY | D3DPRASTERCAPS_FOGTABLE;
    caps.ZCmpCaps = D3DPCMPCAPS_LESSEQUAL;
    caps.ShadeCaps = D3DPSHADECAPS_COLORGOURAUDRGB;
    caps.TextureFilterCaps = D3DPTFILTERCAPS_MINFPOINT | D3DPTFILTERCAPS_MINFLINEAR |
                             D3DPTFILTERCAPS_MINFANISOTROPIC | D3DPTFILTERCAPS_MIPFPOINT |
                             D3DPTFILTERCAPS_MIPFLINEAR | D3DPTFILTERCAPS_MAGFPOINT |
                             D3DPTFILTERCAPS_MAGFLINEAR | D3DPTFILTERCAPS_MAGFANISOTROPIC;
    caps.TextureOpCaps = D3DTEXOPCAPS_DISABLE | D3DTEXOPCAPS_SELECTARG1 | D3DTEXOPCAPS_MODULATE;
    caps.MaxTextureWidth = 4096;
    caps.MaxTextureHeight = 4096;
    caps.MaxAnisotropy = 16;
    caps.MaxSimultaneousTextures = 8;
    caps.MaxPrimitiveCount = 0xFFFFF;
    caps.MaxVertexIndex = 0xFFFFFF;
    return caps;
}

RecordingAdapter TypicalAdapter() {
    RecordingAdapter adapter;
    std::snprintf(adapter.identifier.Driver, sizeof adapter.identifier.Driver, "recording");
    std::snprintf(adapter.identifier.Description, sizeof adapter.identifier.Description,
                  "Recording adapter");
    std::snprintf(adapter.identifier.DeviceName, sizeof adapter.identifier.DeviceName, "display0");
    adapter.desktopMode = {1280, 800, 60, D3DFMT_X8R8G8B8};
    for (const auto& [width, height] :
         {std::pair<UINT, UINT>{640, 480}, {800, 600}, {1024, 768}, {1280, 800}}) {
        adapter.modes.push_back({width, height, 60, D3DFMT_X8R8G8B8});
    }
    adapter.devices[D3DDEVTYPE_HAL] = CapableCaps(D3DDEVTYPE_HAL);
    return adapter;
}

RecordingDirect3D::RecordingDirect3D(std::shared_ptr<CallLog> log) : log_(std::move(log)) {}

const RecordingAdapter* RecordingDirect3D::Adapter(UINT adapter) const {
    return adapter < adapters.size() ? &adapters[adapter] : nullptr;
}

HRESULT RecordingDirect3D::DevicePresent(UINT adapter, D3DDEVTYPE type) const {
    const RecordingAdapter* record = Adapter(adapter);
    if (record == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    return record->devices.contains(type) ? D3D_OK : D3DERR_NOTAVAILABLE;
}

UINT RecordingDirect3D::GetAdapterCount() {
    log_->Add(FormatCall("GetAdapterCount"));
    return static_cast<UINT>(adapters.size());
}

HRESULT RecordingDirect3D::GetAdapterIdentifier(UINT adapter, DWORD flags,
                                                D3DADAPTER_IDENTIFIER9* identifier) {
    log_->Add(FormatCall("GetAdapterIdentifier", adapter, flags, identifier));
    const RecordingAdapter* record = Adapter(adapter);
    if (record == nullptr || identifier == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *identifier = record->identifier;
    return D3D_OK;
}

UINT RecordingDirect3D::GetAdapterModeCount(UINT adapter, D3DFORMAT format) {
    log_->Add(FormatCall("GetAdapterModeCount", adapter, format));
    const RecordingAdapter* record = Adapter(adapter);
    if (record == nullptr) {
        return 0;
    }
    UINT count = 0;
    for (const D3DDISPLAYMODE& mode : record->modes) {
        count += mode.Format == format ? 1 : 0;
    }
    return count;
}

HRESULT RecordingDirect3D::EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode,
                                            D3DDISPLAYMODE* displayMode) {
    log_->Add(FormatCall("EnumAdapterModes", adapter, format, mode, displayMode));
    if (enumAdapterModesResult != D3D_OK) {
        return enumAdapterModesResult;
    }
    const RecordingAdapter* record = Adapter(adapter);
    if (record == nullptr || displayMode == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    UINT index = 0;
    for (const D3DDISPLAYMODE& candidate : record->modes) {
        if (candidate.Format == format && index++ == mode) {
            *displayMode = candidate;
            return D3D_OK;
        }
    }
    return D3DERR_INVALIDCALL;
}

HRESULT RecordingDirect3D::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode) {
    log_->Add(FormatCall("GetAdapterDisplayMode", adapter, displayMode));
    const RecordingAdapter* record = Adapter(adapter);
    if (record == nullptr || displayMode == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *displayMode = record->desktopMode;
    return D3D_OK;
}

HRESULT RecordingDirect3D::CheckDeviceType(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                           D3DFORMAT backBufferFormat, BOOL windowed) {
    log_->Add(
        FormatCall("CheckDeviceType", adapter, type, adapterFormat, backBufferFormat, windowed));
    if (const HRESULT present = DevicePresent(adapter, type); FAILED(present)) {
        return present;
    }
    // Any non-zero BOOL means windowed.
    const auto found =
        deviceTypeResults.find({adapterFormat, backBufferFormat, windowed != 0 ? 1 : 0});
    return found != deviceTypeResults.end() ? found->second : D3D_OK;
}

HRESULT RecordingDirect3D::CheckDeviceFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                             DWORD usage, D3DRESOURCETYPE resourceType,
                                             D3DFORMAT checkFormat) {
    log_->Add(FormatCall("CheckDeviceFormat", adapter, type, adapterFormat, usage, resourceType,
                         checkFormat));
    if (const HRESULT present = DevicePresent(adapter, type); FAILED(present)) {
        return present;
    }
    const auto found = deviceFormatResults.find({usage, resourceType, checkFormat});
    return found != deviceFormatResults.end() ? found->second : D3D_OK;
}

HRESULT RecordingDirect3D::CheckDeviceMultiSampleType(UINT adapter, D3DDEVTYPE type,
                                                      D3DFORMAT surfaceFormat, BOOL windowed,
                                                      D3DMULTISAMPLE_TYPE multiSampleType,
                                                      DWORD* qualityLevels) {
    log_->Add(FormatCall("CheckDeviceMultiSampleType", adapter, type, surfaceFormat, windowed,
                         multiSampleType, qualityLevels));
    HRESULT result = DevicePresent(adapter, type);
    if (SUCCEEDED(result)) {
        const auto found = multiSampleResults.find(multiSampleType);
        if (found != multiSampleResults.end()) {
            result = found->second;
        } else {
            result = multiSampleType == D3DMULTISAMPLE_NONE ? D3D_OK : D3DERR_NOTAVAILABLE;
        }
    }
    if (qualityLevels != nullptr) {
        *qualityLevels = SUCCEEDED(result) ? multiSampleQualityLevels : 0;
    }
    return result;
}

HRESULT RecordingDirect3D::CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE type,
                                                  D3DFORMAT adapterFormat,
                                                  D3DFORMAT renderTargetFormat,
                                                  D3DFORMAT depthStencilFormat) {
    log_->Add(FormatCall("CheckDepthStencilMatch", adapter, type, adapterFormat, renderTargetFormat,
                         depthStencilFormat));
    if (const HRESULT present = DevicePresent(adapter, type); FAILED(present)) {
        return present;
    }
    const auto found = depthStencilMatchResults.find(depthStencilFormat);
    return found != depthStencilMatchResults.end() ? found->second : D3D_OK;
}

HRESULT RecordingDirect3D::GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) {
    log_->Add(FormatCall("GetDeviceCaps", adapter, type, caps));
    if (const HRESULT present = DevicePresent(adapter, type); FAILED(present)) {
        return present;
    }
    if (caps == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *caps = adapters[adapter].devices.at(type);
    caps->DeviceType = type;
    caps->AdapterOrdinal = adapter;
    return D3D_OK;
}

HRESULT RecordingDirect3D::CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow,
                                        DWORD behaviorFlags, D3DPRESENT_PARAMETERS* parameters,
                                        IDirect3DDevice9** device) {
    log_->Add(
        FormatCall("CreateDevice", adapter, type, focusWindow, behaviorFlags, parameters, device));
    if (device == nullptr || parameters == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *device = nullptr;
    lastPresentParameters = *parameters;
    HRESULT result = D3D_OK;
    if (!createDeviceResults.empty()) {
        result = createDeviceResults.front();
        createDeviceResults.pop_front();
    }
    if (SUCCEEDED(result)) {
        result = DevicePresent(adapter, type);
    }
    if (FAILED(result)) {
        return result;
    }
    D3DCAPS9 caps = adapters[adapter].devices.at(type);
    caps.DeviceType = type;
    caps.AdapterOrdinal = adapter;
    HWND window = parameters->hDeviceWindow != nullptr ? parameters->hDeviceWindow : focusWindow;
    lastDevice = new RecordingDevice(log_, caps, *parameters, window);
    *device = lastDevice;
    return D3D_OK;
}
