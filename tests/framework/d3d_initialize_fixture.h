#pragma once

// Shared set-up of the CD3DInitialize tests: a recording adapter object held
// for one test, reference counting seen from outside, and a window factory
// that hands out recording windows (or refuses to).

#include <vector>

#include "platform/gfx/recording/recording_device.h"
#include "platform/gfx/recording/recording_window.h"
#include "platform/window/window.h"

// Owns one reference to a recording adapter object for the life of a test.
class RecordingDirect3DHolder {
public:
    RecordingDirect3DHolder() : d3d(new RecordingDirect3D()) {}
    ~RecordingDirect3DHolder() { d3d->Release(); }
    RecordingDirect3DHolder(const RecordingDirect3DHolder&) = delete;
    RecordingDirect3DHolder& operator=(const RecordingDirect3DHolder&) = delete;

    RecordingDirect3D* d3d;
};

// The number of references object holds.
inline ULONG ReferenceCount(IUnknown* object) {
    const ULONG count = object->AddRef();
    object->Release();
    return count - 1;
}

// Installs a window factory for one test: it records every request and
// makes a RecordingWindow of the requested size, or none when told to fail.
// Uninstalls itself and destroys its windows at the end.
class WindowFactoryScope {
public:
    explicit WindowFactoryScope(bool fail = false) {
        SetWindowFactory([this, fail](const WindowCreation& creation) -> HWND {
            requests.push_back(creation);
            if (fail) {
                return nullptr;
            }
            auto* window = new RecordingWindow(creation.width, creation.height);
            windows.push_back(window);
            return window;
        });
    }
    ~WindowFactoryScope() {
        SetWindowFactory({});
        for (RecordingWindow* window : windows) {
            DestroyPlatformWindow(window);
        }
    }
    WindowFactoryScope(const WindowFactoryScope&) = delete;
    WindowFactoryScope& operator=(const WindowFactoryScope&) = delete;

    std::vector<WindowCreation> requests;
    std::vector<RecordingWindow*> windows;  // owned by the window system
};
