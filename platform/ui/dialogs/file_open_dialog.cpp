#include "platform/ui/dialogs/file_open_dialog.h"

#include "platform/ui/core/command_ids.h"
#include "platform/ui/controls/data_exchange.h"
#include "platform/window/system.h"

namespace {

DialogTemplate OpenTemplate() {
    DialogTemplate dialog;
    dialog.caption = "Open";
    dialog.cx = 220;
    dialog.cy = 58;
    dialog.controls = {
        {ControlKind::Static, IDC_STATIC, "File &name:", 7, 9, 40, 8},
        {ControlKind::Edit, CFileOpenDialog::kFileNameId, "", 50, 7, 163, 14},
        {ControlKind::DefPushButton, IDOK, "Open", 109, 36, 50, 14},
        {ControlKind::PushButton, IDCANCEL, "Cancel", 163, 36, 50, 14},
    };
    return dialog;
}

}  // namespace

CFileOpenDialog::CFileOpenDialog(CWnd* owner) : CDialog(0, owner) {
    SetIndirectTemplate(OpenTemplate());
}

void CFileOpenDialog::DoDataExchange(CDataExchange* exchange) {
    DDX_Text(exchange, kFileNameId, fileName);
}
