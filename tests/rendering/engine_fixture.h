#pragma once

// Shared set-up of the render-engine tests: a recording adapter object
// installed as the Direct3D factory, a recording window sharing its call log,
// recorded message boxes, a scripted clock and an engine subclass that notes
// its hooks in the call log so that their order against device calls shows.

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gfx/recording/recording_device.h"
#include "platform/gfx/recording/recording_window.h"
#include "platform/window/system.h"
#include "rendering/render_engine.h"

namespace rendering_test {

// A counter of 2^20 ticks per second, moved only by the test.
class FakeClock : public RenderLib::Clock {
public:
    static constexpr std::int64_t kFrequency = 1 << 20;
    std::int64_t counter = 0;

    bool QueryPerformanceFrequency(std::int64_t* frequency) override {
        *frequency = kFrequency;
        return true;
    }
    std::int64_t QueryPerformanceCounter() override { return counter; }
    std::uint32_t TimeGetTime() override { return 0; }
    void Advance(double seconds) {
        counter += static_cast<std::int64_t>(std::llround(seconds * kFrequency));
    }
};

// Notes every hook as "hook:Name" in the shared log; CreateResources can be
// told to fail.
class ProbeEngine : public RenderLib::CRenderEngine {
public:
    ProbeEngine(RenderLib::Clock& clock, std::shared_ptr<CallLog> log)
        : CRenderEngine(clock), log_(std::move(log)) {}

    bool createResourcesSucceeds = true;

    bool CreateResources(UINT reserved) override {
        Note("CreateResources");
        return CRenderEngine::CreateResources(reserved) && createResourcesSucceeds;
    }
    void SetupScene(const Vector3* position, const Vector3* rotation) override {
        Note("SetupScene");
        CRenderEngine::SetupScene(position, rotation);
    }
    void RestoreDeviceState() override {
        Note("RestoreDeviceState");
        CRenderEngine::RestoreDeviceState();
    }
    void ReleaseResources() override {
        Note("ReleaseResources");
        CRenderEngine::ReleaseResources();
    }
    void ProcessInput() override { Note("ProcessInput"); }
    void UpdateScene() override { Note("UpdateScene"); }
    void DrawScene() override { Note("DrawScene"); }

private:
    void Note(const std::string& hook) { log_->Add("hook:" + hook); }

    std::shared_ptr<CallLog> log_;
};

struct ShownMessage {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

// The reference count of object, unchanged.
inline ULONG References(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        direct3D = new RecordingDirect3D();
        direct3D->adapters.push_back(TypicalAdapter());
        RecordingDirect3D* installed = direct3D;
        SetDirect3DFactory([installed](UINT) {
            installed->AddRef();
            return installed;
        });
        SetMessageBoxPresenter(
            [this](HWND owner, const std::string& text, const std::string& caption, UINT type) {
                messages.push_back({owner, text, caption, type});
            });
        ClearQuitRequest();
        ReleaseCapture();
        window.AttachLog(direct3D->SharedLog());
        engine = std::make_unique<ProbeEngine>(clock, direct3D->SharedLog());
    }

    void TearDown() override {
        engine.reset();
        SetDirect3DFactory({});
        SetMessageBoxPresenter({});
        ClearQuitRequest();
        ReleaseCapture();
        direct3D->Release();
    }

    CallLog& Log() { return direct3D->Log(); }
    RecordingDevice& Device() { return *direct3D->lastDevice; }

    // Initialises the engine on the window and starts a clean log.
    void StartEngine() {
        ASSERT_TRUE(engine->Initialize(&window));
        Log().Clear();
    }

    // One frame after seconds of scripted time.
    HRESULT FrameAfter(double seconds) {
        clock.Advance(seconds);
        return engine->RenderFrame();
    }

    RecordingDirect3D* direct3D = nullptr;
    RecordingWindow window{800, 600};
    FakeClock clock;
    std::vector<ShownMessage> messages;
    std::unique_ptr<ProbeEngine> engine;
};

}  // namespace rendering_test
