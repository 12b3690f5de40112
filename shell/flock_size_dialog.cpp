#include "shell/flock_size_dialog.h"

#include <string>

#include "platform/ui/core/command_ids.h"
#include "platform/ui/controls/data_exchange.h"
#include "platform/ui/resources/dialog_template.h"

CFlockSizeDialog::CFlockSizeDialog(int fish, CWnd* owner) : CDialog(0, owner), fish(fish) {
    DialogTemplate dialog;
    dialog.caption = "Flock Size";
    dialog.cx = 186;
    dialog.cy = 58;
    dialog.controls = {
        {ControlKind::Static, IDC_STATIC, "Number of fish (4 to 100000):", 7, 9, 118, 10},
        {ControlKind::Edit, kFishId, "", 129, 7, 50, 13},
        {ControlKind::DefPushButton, IDOK, "OK", 75, 36, 50, 14},
        {ControlKind::PushButton, IDCANCEL, "Cancel", 129, 36, 50, 14},
    };
    SetIndirectTemplate(std::move(dialog));
}

BOOL CFlockSizeDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    if (CWnd* box = GetDlgItem(kFishId)) {
        box->SetFocus();
    }
    return FALSE;  // the focus is set
}

void CFlockSizeDialog::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, kFishId, fish, kMinimumFlockSize, kMaximumFlockSize);
}
