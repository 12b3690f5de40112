#pragma once

// The base of the tests that run the whole application in-process, on SDL's
// offscreen display with the OpenGL device and the generated data, driven
// turn by turn by an AppScript: one set-up and tear-down for all of them.
// The engine's clock steps 50 ms a frame (its frame rate shows after 20);
// modal boxes close by themselves unless SetDisplay says otherwise.

#include <gtest/gtest.h>

#include "framework/fixed_step_clock.h"
#include "shell/quorvane_app.h"
#include "tests/shell/app_script.h"

class C3DView;
class CMainFrame;
class CQuorvaneView;

class OffscreenAppTest : public ::testing::Test {
protected:
    explicit OffscreenAppTest(int width = 800, int height = 520) : width_(width), height_(height) {}

    void SetUp() override;
    void TearDown() override;

    // unattended: modal boxes close by themselves; false: the script answers them.
    void SetDisplay(bool unattended) const;
    // Runs the application until it ends; its exit status.
    int RunApplication();
    // Called once the application has started, before the script attaches.
    virtual void OnStarted() {}

    CMainFrame* Frame() const;
    CQuorvaneView* Form() const;
    C3DView* Scene() const;

    RenderLib::FixedStepClock clock{0.05};
    CQuorvaneApp app;
    AppScript script;

private:
    int width_;
    int height_;
};
