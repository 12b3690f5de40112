// The display driven through its interfaces alone, with no window class:
// what it asks of the main window's client and of a modal box, detached.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/core/command_ids.h"
#include "platform/ui/host/ui_host.h"
#include "platform/window/system.h"
#include "tests/ui/ui_test_support.h"

namespace {

struct FakeClient : DisplayClient {
    std::vector<CSize>* layouts;
    explicit FakeClient(std::vector<CSize>* record) : layouts(record) {}
    void Resize(int width, int height) override { layouts->push_back({width, height}); }
    CSize LaidOutSize() const override { return layouts->empty() ? CSize() : layouts->back(); }
    bool IsShown() const override { return true; }
    bool HasMenuBar() const override { return false; }
    std::string Title() const override { return "main"; }
    UINT IconId() const override { return 0; }
    void Draw() override {}
    void PostClose() override {}
    void SetMenuAltHeld(bool) override {}
    bool HandleMenuKey(std::uint16_t, KeyModifiers) override { return false; }
    bool TranslateAccelerator(std::uint16_t, KeyModifiers, bool) override { return false; }
    const CAcceleratorTable& Accelerators() const override { return accelerators; }
    bool MenuHasKeyboard() const override { return false; }
    bool FocusKeepsKeys() const override { return false; }
    bool FocusTakesKey(std::uint16_t) const override { return false; }
    void ActOnFocusKey(std::uint16_t, bool) override {}
    void DeliverToCapture(const LeftButtonEvent&) override {}
    void DeliverToPane(const LeftButtonEvent&) override {}
    void DeliverWheel(CPoint, short, UINT) override {}
    CAcceleratorTable accelerators;
    void ShowMessageBox(const std::string&, const std::string&, UINT) override {}
};

struct FakeModal : DisplayModal {
    int unattended = IDCANCEL;
    int result = 0;
    bool ended = false;
    std::string Title() const override { return "box"; }
    CSize ClientSize() const override { return {100, 40}; }
    void PlaceAt(int, int) override {}
    void Draw() override {}
    void PostCommand(UINT) override {}
    UINT DefaultButtonId() const override { return IDOK; }
    bool HasEnded() const override { return ended; }
    void End(int answer) override {
        ended = true;
        result = answer;
    }
    int UnattendedResult() const override { return unattended; }
};

class DisplayClientTest : public ToolkitTest {
protected:
    UiHost* OpenDetached(CSize requested, CSize optionSize = {CW_USEDEFAULT, CW_USEDEFAULT}) {
        UiHostOptions options;
        options.detached = true;
        options.width = optionSize.cx;
        options.height = optionSize.cy;
        UiHost::SetOptions(options);
        return UiHost::Open(std::make_unique<FakeClient>(&layouts), "main", requested, nullptr);
    }
    std::vector<CSize> layouts;
};

TEST_F(DisplayClientTest, DetachedDisplayLaysTheClientOutAtTheOptionsElseTheRequestedSize) {
    const struct {
        CSize requested;
        CSize option;
        CSize laidOut;
    } cases[] = {{{640, 480}, {CW_USEDEFAULT, CW_USEDEFAULT}, {640, 480}},
                 {{640, 480}, {300, 200}, {300, 200}}};
    for (const auto& c : cases) {
        layouts.clear();
        UiHost* host = OpenDetached(c.requested, c.option);
        ASSERT_NE(host, nullptr);
        ASSERT_EQ(layouts.size(), 1u);
        EXPECT_EQ(host->WindowSize().cx, c.laidOut.cx);
        EXPECT_EQ(host->WindowSize().cy, c.laidOut.cy);
        UiHost::Shutdown();
    }
}

TEST_F(DisplayClientTest, UnattendedModalEndsWithItsOwnAnswerAndNoneRunsOnceClosing) {
    for (int answer : {IDOK, IDCANCEL}) {
        UiHost* host = OpenDetached({320, 200});
        ASSERT_NE(host, nullptr);
        FakeModal modal;
        modal.unattended = answer;
        host->RunModal(modal);
        EXPECT_TRUE(modal.ended);
        EXPECT_EQ(modal.result, answer);
        EXPECT_EQ(host->ModalDepth(), 0);
        host->RequestClose();
        EXPECT_TRUE(host->IsClosing());
        EXPECT_EQ(host->WindowSize().cx, 0);  // the client is not asked any more
        FakeModal late;
        host->RunModal(late);
        EXPECT_FALSE(late.ended);  // the caller cancels what the display cannot show
        UiHost::Shutdown();
    }
}

}  // namespace
