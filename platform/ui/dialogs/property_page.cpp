#include "platform/ui/dialogs/property_page.h"

#include "platform/ui/dialogs/property_sheet.h"

CPropertyPage::CPropertyPage(UINT templateId) : CDialog(templateId) {}

CPropertyPage::~CPropertyPage() {
    if (sheet_ != nullptr) {
        sheet_->ForgetPage(this);
    }
}

std::string CPropertyPage::GetTitle() const {
    const DialogTemplate* dialog = GetTemplate();
    return dialog != nullptr ? dialog->caption : std::string();
}

BOOL CPropertyPage::OnSetActive() {
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() {
    return UpdateData(TRUE);
}

bool CPropertyPage::CreatePageWindow(CPropertySheet& sheet, const CRect& placement) {
    if (!CreateFromTemplate(&sheet, WS_CHILD)) {
        return false;
    }
    MoveWindow(placement);
    OnInitDialog();
    return true;
}
