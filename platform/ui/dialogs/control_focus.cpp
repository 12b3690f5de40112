#include "platform/ui/dialogs/control_focus.h"

#include <algorithm>

#include "platform/ui/controls/button.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/controls/edit.h"
#include "platform/ui/controls/slider_ctrl.h"

namespace {

bool IsTabStop(const CWnd& control) {
    const bool kind = dynamic_cast<const CEdit*>(&control) != nullptr ||
                      dynamic_cast<const CSliderCtrl*>(&control) != nullptr ||
                      dynamic_cast<const CButton*>(&control) != nullptr;
    return kind && control.IsWindowVisible() && control.IsWindowEnabled();
}

CDialog* DialogOf(const CWnd& control) {
    return dynamic_cast<CDialog*>(control.GetParent());
}

}  // namespace

std::vector<CWnd*> TabStops(const CWnd& dialog) {
    std::vector<CWnd*> stops;
    for (CWnd* child : dialog.Children()) {
        if (IsTabStop(*child)) {
            stops.push_back(child);
        }
    }
    return stops;
}

bool IsTabStopOfDialog(const CWnd& focus) {
    return DialogOf(focus) != nullptr && IsTabStop(focus);
}

bool MoveFocusToNextControl(CWnd& focus, bool backward) {
    const CDialog* dialog = DialogOf(focus);
    if (dialog == nullptr) {
        return false;
    }
    const std::vector<CWnd*> stops = TabStops(*dialog);
    const auto at = std::find(stops.begin(), stops.end(), &focus);
    if (at == stops.end()) {
        return false;
    }
    const auto count = static_cast<std::ptrdiff_t>(stops.size());
    const std::ptrdiff_t index = (at - stops.begin() + (backward ? count - 1 : 1)) % count;
    CWnd* next = stops[static_cast<std::size_t>(index)];
    if (auto* button = dynamic_cast<CButton*>(next)) {
        button->TakeKeyboardFocus();
    } else {
        next->SetFocus();
    }
    return true;
}

CButton* DefaultButtonFor(const CWnd& focus) {
    const CDialog* dialog = DialogOf(focus);
    if (dialog == nullptr || dynamic_cast<const CEdit*>(&focus) == nullptr) {
        return nullptr;
    }
    auto* button = dynamic_cast<CButton*>(dialog->GetDlgItem(dialog->GetDefaultButtonId()));
    const bool pressable = button != nullptr && (button->GetStyle() & BS_DEFPUSHBUTTON) != 0 &&
                           button->IsWindowEnabled();
    return pressable ? button : nullptr;
}
