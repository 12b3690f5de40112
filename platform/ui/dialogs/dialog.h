#pragma once

// CDialog: a window built from a dialog template, shown either modally
// (DoModal: a nested loop that draws the interface, never the idle turn,
// until EndDialog) or as a modeless child (Create). The template's controls
// become owned children; OnInitDialog runs once the controls exist.
//
// Commands: the dialog's own handlers first (MapCommand); IDOK and IDCANCEL
// without a handler of the dialog go to OnOK and OnCancel.

#include <optional>

#include "platform/ui/resources/dialog_template.h"
#include "platform/ui/windows/wnd.h"

class CDialog : public CWnd {
public:
    CDialog() = default;
    // templateId: the dialog template in the resource table; parent: the
    // owner of a modal dialog, or the parent of a modeless one (may be null).
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Shows the dialog modally and returns the EndDialog result; -1 when the
    // template is missing or the window cannot be made. Without a display
    // the dialog is made, initialised and closed at once with IDCANCEL.
    virtual int DoModal();
    // Makes the dialog a child window of parent from template templateId,
    // at (0, 0), hidden unless the template's style asks otherwise, and runs
    // OnInitDialog. False when the template is missing or creation fails.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Uses dialog instead of a template from the resource table.
    void SetIndirectTemplate(DialogTemplate dialog) { indirect_ = std::move(dialog); }

    // Called once the controls exist. The base shows the fields in the
    // controls (UpdateData(FALSE)) and returns TRUE.
    virtual BOOL OnInitDialog();
    // Reads the controls (UpdateData(TRUE)); closes with IDOK if that succeeded.
    virtual void OnOK();
    virtual void OnCancel();
    // Ends a modal dialog: its loop returns result after the current frame.
    void EndDialog(int result);

    bool IsModal() const { return modal_; }
    bool HasEnded() const { return ended_; }
    int GetResult() const { return result_; }
    UINT GetTemplateId() const { return templateId_; }
    CWnd* GetOwner() const { return owner_; }
    // The template in use; null when there is none.
    const DialogTemplate* GetTemplate() const;
    // The id of the default push button, IDOK when there is none.
    int GetDefaultButtonId() const;

    void SetDlgItemText(int id, const std::string& text);
    std::string GetDlgItemText(int id) const;

    bool OnCmdMsg(UINT id, CommandAction action) override;

    // What a modal dialog answers when nobody can (a display without a user
    // closes its boxes at once): IDCANCEL; a message box answers IDOK.
    virtual int UnattendedResult() const;

protected:
    void SetTemplateId(UINT templateId) { templateId_ = templateId; }
    // Makes the window and its controls from the template in parent (null
    // for a modal dialog) with style; false on failure (nothing left behind).
    bool CreateFromTemplate(CWnd* parent, DWORD style);

private:
    UINT templateId_ = 0;
    CWnd* owner_ = nullptr;
    std::optional<DialogTemplate> indirect_;
    bool modal_ = false;
    bool ended_ = false;
    int result_ = 0;
};
