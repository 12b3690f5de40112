// The menu bar's keys through a submenu, ticks asked through the command
// routing, and accelerators that only the scene may take; no display needed.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/resources/accelerator_table.h"
#include "platform/ui/windows/cmd_target.h"
#include "platform/ui/controls/menu_bar.h"
#include "platform/window/system.h"

namespace {

constexpr UINT kPause = 10, kChase = 20, kEye = 21, kOverview = 22, kHelp = 30;

MenuTemplate ViewMenu() {
    return {
        1,
        {{"&View",
          {{"&Pause", kPause},
           {},
           {"&Camera", 0, {{"&Chase", kChase}, {"Pike's &Eye", kEye}, {"&Overview", kOverview}}}}},
         {"&Help", {{"&About", kHelp}}}}};
}

TEST(MenuBarTest, KeysOpenASubmenuMoveInItAndRunItsItems) {
    CMenuBar bar;
    const MenuTemplate menu = ViewMenu();
    bar.SetMenu(&menu);
    std::vector<UINT> ran;
    const CMenuBar::Commands commands{[](UINT) { return true; },
                                      [&](UINT id) { ran.push_back(id); },
                                      [](UINT) { return std::string(); }};
    const KeyModifiers none;
    const struct {
        std::uint16_t key;
        int open, highlight, submenu, subHighlight;
    } steps[] = {
        {'V', 0, 0, -1, -1},        // Alt+V below: View, Pause highlighted
        {VK_DOWN, 0, 2, -1, -1},    // the separator is skipped
        {VK_RIGHT, 0, 2, 2, 0},     // Camera opens, Chase highlighted
        {VK_UP, 0, 2, 2, 2},        // wraps to Overview
        {VK_LEFT, 0, 2, -1, -1},    // back to View
        {VK_RETURN, 0, 2, 2, 0},    // Enter opens it too
        {VK_ESCAPE, 0, 2, -1, -1},  // Esc closes the submenu only
        {VK_RIGHT, 0, 2, 2, 0},
        {'E', -1, -1, -1, -1},  // Pike's Eye by its letter: runs, all closes
    };
    for (const auto& step : steps) {
        const KeyModifiers held = step.key == 'V' ? KeyModifiers{false, false, true} : none;
        EXPECT_TRUE(bar.HandleKey(step.key, held, commands)) << step.key;
        EXPECT_EQ(bar.OpenIndex(), step.open) << step.key;
        EXPECT_EQ(bar.HighlightIndex(), step.highlight) << step.key;
        EXPECT_EQ(bar.SubmenuIndex(), step.submenu) << step.key;
        EXPECT_EQ(bar.SubmenuHighlightIndex(), step.subHighlight) << step.key;
    }
    EXPECT_EQ(ran, (std::vector<UINT>{kEye}));
    // On the top level, Right still goes to the next menu and Esc closes.
    bar.HandleKey('V', KeyModifiers{false, false, true}, commands);
    bar.HandleKey(VK_RIGHT, none, commands);
    EXPECT_EQ(bar.OpenIndex(), 1);
    bar.HandleKey(VK_ESCAPE, none, commands);
    EXPECT_FALSE(bar.IsActive());
}

class Ticking : public CCmdTarget {
public:
    Ticking() {
        MapCommand(kPause, [] {});
        MapCommandCheck(kPause, [this] { return paused; });
        MapCommand(kHelp, [] {});
    }
    bool paused = false;
};

TEST(MenuBarTest, AnItemIsTickedOnlyWhileItsHandlerSaysSo) {
    Ticking target;
    EXPECT_FALSE(target.OnCmdMsg(kPause, CommandAction::QueryChecked));
    target.paused = true;
    EXPECT_TRUE(target.OnCmdMsg(kPause, CommandAction::QueryChecked));
    EXPECT_FALSE(target.OnCmdMsg(kHelp, CommandAction::QueryChecked));  // no tick registered
    EXPECT_TRUE(target.OnCmdMsg(kHelp, CommandAction::Query));
}

TEST(MenuBarTest, SceneOnlyKeysCountOnlyWhileTheSceneHasTheKeyboard) {
    const CAcceleratorTable keys({{FVIRTKEY | FSCENEONLY, VK_SPACE, kPause},
                                  {FVIRTKEY | FCONTROL, 'R', kChase},
                                  {FVIRTKEY | FSCENEONLY, 'R', kEye},
                                  {FVIRTKEY, VK_F1, kHelp}});
    const KeyModifiers none, control{false, true, false};
    EXPECT_EQ(keys.Translate(VK_SPACE, none, true), kPause);
    EXPECT_EQ(keys.Translate(VK_SPACE, none, false), std::nullopt);
    EXPECT_EQ(keys.Translate('R', none, false), std::nullopt);
    EXPECT_EQ(keys.Translate('R', control, false), kChase);
    EXPECT_EQ(keys.Translate(VK_F1, none, false), kHelp);
}

}  // namespace
