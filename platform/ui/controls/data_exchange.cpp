#include "platform/ui/controls/data_exchange.h"

#include <cfloat>
#include <charconv>
#include <cstdio>
#include <string>
#include <system_error>

#include "platform/ui/controls/number_text.h"
#include "platform/ui/controls/slider_ctrl.h"
#include "platform/ui/windows/app_identity.h"
#include "platform/ui/windows/wnd.h"

namespace {

// The dialog's control for an entry that can still run, else null (the
// exchange already stopped, or the control is missing: a program error,
// reported and treated as a refusal so that no field is half-exchanged).
CWnd* EntryControl(CDataExchange* exchange, int controlId) {
    if (exchange == nullptr || exchange->Failed() || exchange->dialog == nullptr) {
        return nullptr;
    }
    CWnd* control = exchange->dialog->GetDlgItem(controlId);
    if (control == nullptr) {
        std::fprintf(stderr, "data exchange: the window has no control %d\n", controlId);
        exchange->Fail(controlId);
    }
    return control;
}

void Refuse(CDataExchange* exchange, CWnd* control, const char* prompt) {
    AfxMessageBox(prompt, MB_ICONEXCLAMATION);
    control->SetFocus();
    exchange->Fail(control->GetDlgCtrlID());
}

}  // namespace

void DDX_Slider(CDataExchange* exchange, int controlId, int& value) {
    CWnd* control = EntryControl(exchange, controlId);
    if (control == nullptr) {
        return;
    }
    auto* slider = dynamic_cast<CSliderCtrl*>(control);
    if (slider == nullptr) {
        std::fprintf(stderr, "data exchange: control %d is not a trackbar\n", controlId);
        exchange->Fail(controlId);
        return;
    }
    if (exchange->saveAndValidate) {
        value = slider->GetPos();
    } else {
        slider->SetPos(value);
    }
}

void DDX_Text(CDataExchange* exchange, int controlId, float& value) {
    DDX_Text(exchange, controlId, value, -FLT_MAX, FLT_MAX);
}

void DDX_Text(CDataExchange* exchange, int controlId, float& value, float minimum, float maximum) {
    CWnd* control = EntryControl(exchange, controlId);
    if (control == nullptr) {
        return;
    }
    if (!exchange->saveAndValidate) {
        control->SetWindowText(FormatFloatForEdit(value));
        return;
    }
    const auto parsed = ParseFloatFromEdit(control->GetWindowText());
    if (!parsed) {
        Refuse(exchange, control, kEnterNumberPrompt);
    } else if (!(*parsed >= minimum && *parsed <= maximum)) {
        Refuse(exchange, control, RangePrompt(minimum, maximum).c_str());
    } else {
        value = *parsed;
    }
}

void DDX_Text(CDataExchange* exchange, int controlId, int& value, int minimum, int maximum) {
    CWnd* control = EntryControl(exchange, controlId);
    if (control == nullptr) {
        return;
    }
    if (!exchange->saveAndValidate) {
        control->SetWindowText(std::to_string(value));
        return;
    }
    std::string text = control->GetWindowText();
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t");
    text = first == std::string::npos ? "" : text.substr(first, last - first + 1);
    long long parsed = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (text.empty() || result.ec == std::errc::invalid_argument ||
        result.ptr != text.data() + text.size()) {
        Refuse(exchange, control, kEnterIntegerPrompt);
    } else if (result.ec == std::errc::result_out_of_range || parsed < minimum || parsed > maximum) {
        const std::string prompt = "Please enter an integer between " + std::to_string(minimum) +
                                   " and " + std::to_string(maximum) + ".";
        Refuse(exchange, control, prompt.c_str());
    } else {
        value = static_cast<int>(parsed);
    }
}

std::string RangePrompt(float minimum, float maximum) {
    return "Please enter a number between " + FormatFloatForEdit(minimum) + " and " +
           FormatFloatForEdit(maximum) + ".";
}

void DDX_Text(CDataExchange* exchange, int controlId, std::string& value) {
    CWnd* control = EntryControl(exchange, controlId);
    if (control == nullptr) {
        return;
    }
    if (exchange->saveAndValidate) {
        value = control->GetWindowText();
    } else {
        control->SetWindowText(value);
    }
}

void DDX_Control(CDataExchange* exchange, int controlId, CWnd& control) {
    if (exchange == nullptr || exchange->Failed() || control.GetSafeHwnd() != nullptr) {
        return;
    }
    if (!control.SubclassDlgItem(static_cast<UINT>(controlId), exchange->dialog)) {
        std::fprintf(stderr, "data exchange: control %d cannot be bound\n", controlId);
        exchange->Fail(controlId);
    }
}
