// The main frame's commands on a detached display: what the menu offers,
// which accelerators start something, the pane keys, and the start-up's
// settings.

#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/core/command_ids.h"
#include "platform/ui/core/message_queue.h"
#include "shell/about_dlg.h"
#include "shell/quorvane_view.h"
#include "shell/resources/shell_resource_ids.h"
#include "tests/shell/detached_app_fixture.h"

namespace {

class MainFrameTest : public DetachedAppTest {
protected:
    CMainFrame* Frame() const { return dynamic_cast<CMainFrame*>(app.GetMainWnd()); }
    bool Offered(UINT command) const { return Frame()->OnCmdMsg(command, CommandAction::Query); }
};

TEST_F(MainFrameTest, StartUpScopesTheSettingsAndNamesTheWindow) {
    Start();
    EXPECT_EQ(app.GetAppName(), "Quorvane");
    EXPECT_EQ(app.GetRegistryKey(), "Veltrana Applications");
    EXPECT_EQ(Frame()->GetTitle(), "Quorvane");
    EXPECT_EQ(Frame()->GetIconId(), IDR_MAINFRAME) << "the generated icon should be found";
    EXPECT_TRUE(Frame()->IsWindowVisible());
    const CPropertySheet& sheet = Frame()->GetFormView()->behaviorSheet;
    EXPECT_EQ(sheet.GetCaption(), "Behavior Property Sheets");
    EXPECT_EQ(sheet.header.iconId, IDR_MAINFRAME);
    EXPECT_EQ(sheet.header.flags, PSH_USEHICON | PSH_NOAPPLYNOW);
}

TEST_F(MainFrameTest, TheFilePresetsAndFlockCommandsAndThePaneKeysHaveHandlers) {
    Start();
    for (UINT command :
         {ID_APP_EXIT, ID_APP_ABOUT, ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS,
          ID_FILE_SAVE_SCREENSHOT, ID_PRESET_FIRST, ID_FLOCK_SIZE, ID_NEXT_PANE, ID_PREV_PANE}) {
        EXPECT_TRUE(Offered(command)) << command;
    }
    for (UINT command : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE}) {
        EXPECT_FALSE(Offered(command)) << command;
    }
    const MenuTemplate* menu = Frame()->GetMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->popups.size(), 5u);
    EXPECT_EQ(menu->popups[0].text, "&File");
    std::vector<UINT> fileCommands;
    for (const MenuItem& item : menu->popups[0].items) fileCommands.push_back(item.command);
    EXPECT_EQ(fileCommands,
              (std::vector<UINT>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS,
                                 ID_FILE_SAVE_SCREENSHOT, 0, ID_APP_EXIT}));
    EXPECT_EQ(menu->popups[1].text, "&View");
    EXPECT_EQ(menu->popups[2].text, "&Presets");
    ASSERT_GE(menu->popups[2].items.size(), 5u) << "the built-in presets beside the program";
    EXPECT_EQ(menu->popups[2].items[0].text, "start-up");
    EXPECT_EQ(menu->popups[2].items[0].command, ID_PRESET_FIRST);
    EXPECT_EQ(menu->popups[3].text, "F&lock");
    ASSERT_EQ(menu->popups[3].items.size(), 1u);
    EXPECT_EQ(menu->popups[3].items[0].command, ID_FLOCK_SIZE);
    EXPECT_EQ(menu->popups[4].text, "&Help");
    ASSERT_EQ(menu->popups[4].items.size(), 1u);
    EXPECT_EQ(menu->popups[4].items[0].text, "&About Quorvane...");
}

TEST_F(MainFrameTest, AcceleratorsWithoutAHandlerDoNothing) {
    Start();
    const KeyModifiers control{false, true, false};
    const KeyModifiers shift{true, false, false};
    const KeyModifiers alt{false, false, true};
    EXPECT_FALSE(Frame()->TranslateAccelerator('C', control));
    EXPECT_FALSE(Frame()->TranslateAccelerator(VK_BACK, alt));
    EXPECT_EQ(PostedMessageCount(), 0u);
    // The table holds them all the same, in both key families.
    const CAcceleratorTable& keys = Frame()->GetAccelerators();
    EXPECT_EQ(keys.Translate('O', control), ID_FILE_OPEN);
    EXPECT_EQ(keys.Translate('S', control), ID_FILE_SAVE);
    EXPECT_EQ(keys.Translate(VK_BACK, alt), ID_EDIT_UNDO);
    EXPECT_EQ(keys.Translate(VK_DELETE, shift), ID_EDIT_CUT);
    EXPECT_EQ(keys.Translate(VK_INSERT, control), ID_EDIT_COPY);
    EXPECT_EQ(keys.Translate(VK_INSERT, shift), ID_EDIT_PASTE);
    EXPECT_EQ(keys.Translate('O', KeyModifiers{}), std::nullopt);
}

TEST_F(MainFrameTest, PaneKeysMoveTheActiveViewBetweenTheFormAndTheScene) {
    Start();
    EXPECT_EQ(Frame()->GetActiveView(), Frame()->GetSceneView());
    ASSERT_TRUE(Frame()->TranslateAccelerator(VK_F6, KeyModifiers{}));
    DispatchPostedMessages();
    EXPECT_EQ(Frame()->GetActiveView(), Frame()->GetFormView());
    ASSERT_TRUE(Frame()->TranslateAccelerator(VK_F6, KeyModifiers{true, false, false}));
    DispatchPostedMessages();
    EXPECT_EQ(Frame()->GetActiveView(), Frame()->GetSceneView());
}

TEST_F(MainFrameTest, TheAboutBoxIsMadeFromItsTemplateWithOkAsTheDefault) {
    Start();
    CAboutDlg about;
    EXPECT_EQ(about.DoModal(), IDCANCEL);  // no display: made, set up and closed at once
    const DialogTemplate* box = about.GetTemplate();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->caption, "About Quorvane");
    EXPECT_EQ(about.GetDefaultButtonId(), IDOK);
}

}  // namespace
