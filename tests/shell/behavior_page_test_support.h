#pragma once

// Shared pieces of the behaviour pages' tests: the start-up behaviours as the
// engine's live list, the page templates registered, message boxes recorded,
// and a sheet in a parent window to make page windows in. No display is
// needed: page windows are made, exchanged and clicked without one.

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/dialogs/property_sheet.h"
#include "platform/ui/docview/win_app.h"
#include "simulation/behavior.h"

struct ShownMessage {
    std::string text;
    std::string caption;
    UINT type = 0;
};

class BehaviorPageTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The first live behaviour of class Behavior.
    template <class Behavior>
    Behavior& Live() {
        for (cBehavior* behavior : live) {
            if (auto* found = dynamic_cast<Behavior*>(behavior)) {
                return *found;
            }
        }
        throw std::logic_error("no such behaviour");
    }

    // Adds the pages to the sheet and makes it: the first page gets its
    // window now, the others when sheet.SetActivePage shows them.
    void AddPages(std::initializer_list<CPropertyPage*> pages);
    // What the user does and sees: an edit box's text, a trackbar's position.
    static void Set(CWnd& page, int id, const std::string& text);
    static void Set(CWnd& page, int id, int position);
    static std::string Text(const CWnd& page, int id);
    static int Pos(const CWnd& page, int id);
    // Presses the page's "Apply" button and lets the click run.
    static void PressApply(CWnd& page);
    // Presses the page's button id and lets the click run.
    static void PressButton(CWnd& page, int id);

    std::vector<cBehavior*> live;  // the start-up behaviours; owned
    bool engineExists = true;      // false: the pages find no engine
    std::vector<ShownMessage> messages;
    CWinApp app{"Quorvane"};
    CWnd parent;
    CPropertySheet sheet{"Behavior Property Sheets"};
};
