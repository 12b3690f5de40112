#include "platform/ui/dialogs/dialog.h"

#include <cstdio>

#include "platform/ui/controls/button.h"
#include "platform/ui/controls/template_controls.h"
#include "platform/ui/core/command_ids.h"
#include "platform/ui/core/message_queue.h"
#include "platform/ui/host/ui_host.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/window/system.h"

namespace {

// A modal dialog as the display runs it (display_client.h).
class DialogOnDisplay : public DisplayModal {
public:
    explicit DialogOnDisplay(CDialog& dialog) : dialog_(dialog) {}

    std::string Title() const override { return dialog_.GetWindowText(); }
    CSize ClientSize() const override {
        CRect client;
        dialog_.GetClientRect(&client);
        return client.Size();
    }
    void PlaceAt(int x, int y) override {
        const CSize client = ClientSize();
        dialog_.MoveWindow(x, y, client.cx, client.cy);
    }
    void Draw() override { dialog_.Draw(DrawOrigin{}); }
    void PostCommand(UINT id) override {
        CDialog* dialog = &dialog_;
        PostToTarget(dialog, [dialog, id] { dialog->OnCommand(id); });
    }
    UINT DefaultButtonId() const override {
        return static_cast<UINT>(dialog_.GetDefaultButtonId());
    }
    bool HasEnded() const override { return dialog_.HasEnded(); }
    void End(int result) override { dialog_.EndDialog(result); }
    int UnattendedResult() const override { return dialog_.UnattendedResult(); }

private:
    CDialog& dialog_;
};

// Shows dialog on the display until it ends; without a display (or once it
// is closing) nobody can answer, so the dialog is cancelled.
void RunModalOnDisplay(CDialog& dialog) {
    if (UiHost* host = UiHost::Current(); host != nullptr && !host->IsClosing()) {
        DialogOnDisplay modal(dialog);
        host->RunModal(modal);
    } else {
        dialog.EndDialog(IDCANCEL);
    }
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : templateId_(templateId), owner_(parent) {}

const DialogTemplate* CDialog::GetTemplate() const {
    if (indirect_) {
        return &*indirect_;
    }
    return AfxResources().FindDialog(templateId_);
}

bool CDialog::CreateFromTemplate(CWnd* parent, DWORD style) {
    const DialogTemplate* dialog = GetTemplate();
    if (dialog == nullptr) {
        std::fprintf(stderr, "dialog template %u is missing\n", templateId_);
        return false;
    }
    const CSize size = TemplateSizeInPixels(*dialog);
    if (!CWnd::Create(kToolkitWindowClass, dialog->caption.c_str(), style,
                      CRect(0, 0, size.cx, size.cy), parent, 0)) {
        return false;
    }
    if (!BuildTemplateControls(*this, *dialog)) {
        DestroyWindow();
        return false;
    }
    return true;
}

int CDialog::DoModal() {
    modal_ = true;
    ended_ = false;
    result_ = 0;
    if (!CreateFromTemplate(nullptr, WS_VISIBLE)) {
        modal_ = false;
        return -1;
    }
    OnInitDialog();
    if (!ended_) {
        RunModalOnDisplay(*this);
    }
    if (!ended_) {
        EndDialog(IDCANCEL);  // the loop ended early: the application is quitting
    }
    DestroyWindow();
    modal_ = false;
    return result_;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    templateId_ = templateId;
    modal_ = false;
    if (!CreateFromTemplate(parent, parent != nullptr ? WS_CHILD : 0)) {
        return FALSE;
    }
    OnInitDialog();
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE)) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

int CDialog::UnattendedResult() const {
    return IDCANCEL;
}

void CDialog::EndDialog(int result) {
    ended_ = true;
    result_ = result;
}

int CDialog::GetDefaultButtonId() const {
    // Other controls use the same style bit for their own meaning
    // (TBS_AUTOTICKS): only a button is a default button.
    for (CWnd* child : Children()) {
        const bool button = dynamic_cast<CButton*>(child) != nullptr;
        if (button && (child->GetStyle() & BS_DEFPUSHBUTTON) != 0) {
            return child->GetDlgCtrlID();
        }
    }
    return IDOK;
}

void CDialog::SetDlgItemText(int id, const std::string& text) {
    if (CWnd* control = GetDlgItem(id)) {
        control->SetWindowText(text);
    }
}

std::string CDialog::GetDlgItemText(int id) const {
    const CWnd* control = GetDlgItem(id);
    return control != nullptr ? control->GetWindowText() : std::string();
}

bool CDialog::OnCmdMsg(UINT id, CommandAction action) {
    if (CWnd::OnCmdMsg(id, action)) {
        return true;
    }
    if (id != static_cast<UINT>(IDOK) && id != static_cast<UINT>(IDCANCEL)) {
        return false;
    }
    if (action == CommandAction::Execute) {
        if (id == static_cast<UINT>(IDOK)) {
            OnOK();
        } else {
            OnCancel();
        }
    }
    return true;
}
