#pragma once

// Shared pieces of the toolkit's tests: a clean toolkit state per test, a
// recorder of message boxes, and dialog templates built in code.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/resources/dialog_template.h"
#include "platform/ui/core/ui_types.h"

struct RecordedMessageBox {
    std::string text;
    std::string caption;
    UINT type = 0;
};

// Resets the process-wide toolkit state (resources, posted messages, quit
// request, capture, display options) and records message boxes.
class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::vector<RecordedMessageBox> messageBoxes;
};

// Starts SDL video on the offscreen driver (unless another was chosen) and
// keeps it and the OpenGL library loaded to the end of the process, so that
// the driver's own allocations carry its name for the leak checker's
// suppressions (tests/platform/mesa_leak_suppressions.cpp). False when SDL
// video cannot start.
bool KeepOffscreenOpenGlLoaded();

// A page template of the behaviour pages' shape: "Behavior Gain:" trackbar
// 1001 at 63, 7, 122, 24; edit boxes at the given ids one under another;
// an "Apply" button 1002; 186 × 90 dialog units.
DialogTemplate PageLikeTemplate(UINT id, const std::string& caption, const std::vector<int>& edits);
