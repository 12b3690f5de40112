#include "platform/ui/controls/template_controls.h"

#include <memory>

#include "platform/ui/controls/button.h"
#include "platform/ui/controls/edit.h"
#include "platform/ui/controls/slider_ctrl.h"
#include "platform/ui/controls/static_ctrl.h"
#include "platform/ui/core/ui_metrics.h"

namespace {

constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE;

bool BuildControl(CWnd& parent, const DialogControl& control, const CRect& rect) {
    const UINT id = static_cast<UINT>(control.id);
    const DWORD style = control.style | kChildStyle;
    switch (control.kind) {
        case ControlKind::Static:
        case ControlKind::Icon:
        case ControlKind::GroupBox: {
            auto* label = static_cast<CStatic*>(parent.AdoptChild(std::make_unique<CStatic>()));
            if (control.kind == ControlKind::Icon) {
                label->SetIcon(control.iconId);
            } else if (control.kind == ControlKind::GroupBox) {
                label->SetLook(CStatic::Look::GroupBox);
            }
            return label->Create(control.text.c_str(), style, rect, &parent, id) != FALSE;
        }
        case ControlKind::Edit: {
            auto* edit = static_cast<CEdit*>(parent.AdoptChild(std::make_unique<CEdit>()));
            if (!edit->Create(style | WS_BORDER | ES_AUTOHSCROLL, rect, &parent, id)) {
                return false;
            }
            edit->SetWindowText(control.text);
            return true;
        }
        case ControlKind::PushButton:
        case ControlKind::DefPushButton: {
            auto* button = static_cast<CButton*>(parent.AdoptChild(std::make_unique<CButton>()));
            const DWORD buttonStyle =
                control.kind == ControlKind::DefPushButton ? style | BS_DEFPUSHBUTTON : style;
            return button->Create(control.text.c_str(), buttonStyle | WS_TABSTOP, rect, &parent,
                                  id) != FALSE;
        }
        case ControlKind::Trackbar: {
            auto* slider =
                static_cast<CSliderCtrl*>(parent.AdoptChild(std::make_unique<CSliderCtrl>()));
            return slider->Create(style | WS_TABSTOP, rect, &parent, id) != FALSE;
        }
    }
    return false;
}

}  // namespace

bool BuildTemplateControls(CWnd& parent, const DialogTemplate& dialog) {
    const DialogBaseUnits units = CurrentUiMetrics().baseUnits;
    for (const DialogControl& control : dialog.controls) {
        const CRect rect =
            DialogPlacementToPixels(control.x, control.y, control.cx, control.cy, units);
        if (!BuildControl(parent, control, rect)) {
            return false;
        }
    }
    return true;
}

CSize TemplateSizeInPixels(const DialogTemplate& dialog) {
    return DialogSizeToPixels(dialog.cx, dialog.cy, CurrentUiMetrics().baseUnits);
}
