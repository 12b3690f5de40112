#pragma once

// "Flock Size": asks for the number of fish of a new flock, a whole number
// from kMinimumFlockSize to kMaximumFlockSize. Text that is not such a
// number is refused with the toolkit's prompt and the box stays open.

#include "platform/ui/dialogs/dialog.h"
#include "simulation/population.h"

class CFlockSizeDialog : public CDialog {
public:
    static constexpr int kFishId = 1201;

    explicit CFlockSizeDialog(int fish, CWnd* owner = nullptr);
    // The number box has the keyboard, its text selected.
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;

    int fish;  // shown when the box opens; the number asked for once OK closes it
};
