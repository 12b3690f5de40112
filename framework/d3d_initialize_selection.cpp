// CD3DInitialize: the windowed and full-screen settings selections over the
// enumerated tree. Both walk adapters, devices and combinations in list order,
// so among equals the first one enumerated wins; both take the first entry of
// each of the chosen combination's lists, which the enumeration tables order
// by preference. Every list of a combination in the tree is non-empty.

#include "framework/d3d_initialize.h"

namespace RenderLib {

namespace {

using AdapterList = std::vector<std::unique_ptr<D3DAdapterInfo>>;

bool DeviceTypeAllowed(D3DDEVTYPE type, bool requireHal, bool requireRef) {
    return !(requireHal && type != D3DDEVTYPE_HAL) && !(requireRef && type != D3DDEVTYPE_REF);
}

D3DSettingsBlock BlockFrom(const D3DDeviceCombo& combo, const D3DDISPLAYMODE& mode) {
    D3DSettingsBlock block;
    block.adapterOrdinal = combo.adapterOrdinal;
    block.displayMode = mode;
    block.deviceType = combo.deviceType;
    block.backBufferFormat = combo.backBufferFormat;
    block.depthStencilFormat = combo.depthStencilFormats.front();
    block.multiSampleType = combo.multiSampleTypes.front();
    block.multiSampleQuality = 0;
    block.vertexProcessingType = combo.vertexProcessingTypes.front();
    block.presentInterval = combo.presentIntervals.front();
    return block;
}

// The best windowed combination on desktopFormat, or null.
const D3DDeviceCombo* BestWindowedCombo(const AdapterList& adapters, D3DFORMAT desktopFormat,
                                        bool requireHal, bool requireRef) {
    const D3DDeviceCombo* best = nullptr;
    for (const auto& adapter : adapters) {
        for (const auto& device : adapter->devices) {
            if (!DeviceTypeAllowed(device->deviceType, requireHal, requireRef)) {
                continue;
            }
            for (const auto& combo : device->combos) {
                if (!combo->windowed || combo->adapterFormat != desktopFormat) {
                    continue;
                }
                const bool hal = combo->deviceType == D3DDEVTYPE_HAL;
                const bool formatsMatch = combo->backBufferFormat == combo->adapterFormat;
                if (best == nullptr || (hal && formatsMatch) ||
                    (hal && best->deviceType != D3DDEVTYPE_HAL)) {
                    best = combo.get();
                    if (hal && formatsMatch) {
                        return best;  // nothing can beat it
                    }
                }
            }
        }
    }
    return best;
}

struct FullscreenChoice {
    const D3DDeviceCombo* combo = nullptr;
    const D3DAdapterInfo* adapter = nullptr;
    D3DDISPLAYMODE desiredMode;  // of that adapter
};

D3DDISPLAYMODE MergeDesiredMode(D3DDISPLAYMODE mode, const D3DDISPLAYMODE* desired) {
    if (desired != nullptr) {
        if (desired->Width != 0) {
            mode.Width = desired->Width;
        }
        if (desired->Height != 0) {
            mode.Height = desired->Height;
        }
        if (desired->Format != D3DFMT_UNKNOWN) {
            mode.Format = desired->Format;
        }
        if (desired->RefreshRate != 0) {
            mode.RefreshRate = desired->RefreshRate;
        }
    }
    return mode;
}

// Whether candidate (of a device of type walkedType) displaces the current best.
bool ReplacesBest(const FullscreenChoice& best, const D3DDeviceCombo& candidate,
                  D3DDEVTYPE walkedType, D3DFORMAT desiredFormat) {
    if (best.combo == nullptr) {
        return true;
    }
    if (best.combo->deviceType != D3DDEVTYPE_HAL && walkedType == D3DDEVTYPE_HAL) {
        return true;
    }
    return candidate.deviceType == D3DDEVTYPE_HAL && candidate.adapterFormat == desiredFormat &&
           (best.combo->adapterFormat != desiredFormat ||
            candidate.backBufferFormat == candidate.adapterFormat);
}

// The best full-screen combination with its adapter and desired mode; a
// null combo when there is none. Adapters whose current mode is unreadable
// have no desired mode and are passed over.
FullscreenChoice BestFullscreenCombo(IDirect3D9& direct3D, const AdapterList& adapters,
                                     const D3DDISPLAYMODE* desiredMode, bool requireHal,
                                     bool requireRef) {
    FullscreenChoice best;
    for (const auto& adapter : adapters) {
        D3DDISPLAYMODE current;
        if (FAILED(direct3D.GetAdapterDisplayMode(adapter->ordinal, &current))) {
            continue;
        }
        const D3DDISPLAYMODE desired = MergeDesiredMode(current, desiredMode);
        for (const auto& device : adapter->devices) {
            if (!DeviceTypeAllowed(device->deviceType, requireHal, requireRef)) {
                continue;
            }
            for (const auto& combo : device->combos) {
                if (combo->windowed ||
                    !ReplacesBest(best, *combo, device->deviceType, desired.Format)) {
                    continue;
                }
                best = FullscreenChoice{combo.get(), adapter.get(), desired};
                if (combo->deviceType == D3DDEVTYPE_HAL && combo->adapterFormat == desired.Format &&
                    combo->backBufferFormat == combo->adapterFormat) {
                    return best;  // nothing can beat it
                }
            }
        }
    }
    return best;
}

// The adapter's mode in format closest to desired: an exact match of size and
// refresh rate at once, else the last mode of the desired width, else the
// first mode. The adapter has at least one mode in format, because its
// combinations' adapter formats come from its modes.
D3DDISPLAYMODE ChooseDisplayMode(const D3DAdapterInfo& adapter, D3DFORMAT format,
                                 const D3DDISPLAYMODE& desired) {
    const D3DDISPLAYMODE* chosen = nullptr;
    for (const D3DDISPLAYMODE& mode : adapter.displayModes) {
        if (mode.Format != format) {
            continue;
        }
        if (mode.Width == desired.Width && mode.Height == desired.Height &&
            mode.RefreshRate == desired.RefreshRate) {
            return mode;
        }
        if (mode.Width == desired.Width || chosen == nullptr) {
            chosen = &mode;
        }
    }
    return chosen != nullptr ? *chosen : D3DDISPLAYMODE{};
}

}  // namespace

bool CD3DInitialize::FindBestWindowedSettings(D3DSettings& settings, bool requireHal,
                                              bool requireRef) {
    if (direct3D_ == nullptr) {
        return false;
    }
    D3DDISPLAYMODE desktop;
    if (FAILED(direct3D_->GetAdapterDisplayMode(0, &desktop))) {
        return false;
    }
    const D3DDeviceCombo* best =
        BestWindowedCombo(adapters_, desktop.Format, requireHal, requireRef);
    if (best == nullptr) {
        return false;
    }
    settings.windowed = 1;
    settings.windowedSettings = BlockFrom(*best, desktop);
    return true;
}

bool CD3DInitialize::FindBestFullscreenSettings(D3DSettings& settings,
                                                const D3DDISPLAYMODE* desiredMode, bool requireHal,
                                                bool requireRef) {
    if (direct3D_ == nullptr) {
        return false;
    }
    const FullscreenChoice best =
        BestFullscreenCombo(*direct3D_, adapters_, desiredMode, requireHal, requireRef);
    if (best.combo == nullptr) {
        return false;
    }
    const D3DDISPLAYMODE mode =
        ChooseDisplayMode(*best.adapter, best.combo->adapterFormat, best.desiredMode);
    settings.windowed = 0;
    settings.fullscreenSettings = BlockFrom(*best.combo, mode);
    return true;
}

}  // namespace RenderLib
