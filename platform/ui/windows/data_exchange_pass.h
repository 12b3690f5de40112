#pragma once

// CDataExchange: one pass of dialog data exchange, in one direction over one
// window's child controls (CWnd::UpdateData runs it through DoDataExchange;
// the DDX_ entries and their rules are in controls/data_exchange.h). A
// refused entry stops the pass: later entries of the same pass do nothing.

#include "platform/ui/core/ui_types.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : saveAndValidate(saveAndValidate), dialog(dialog) {}

    // Stops the exchange at the entry of controlId.
    void Fail(int controlId) {
        failed_ = true;
        failedControl_ = controlId;
    }
    bool Failed() const { return failed_; }
    int FailedControl() const { return failedControl_; }

    BOOL saveAndValidate;  // TRUE: controls to fields; FALSE: fields to controls
    CWnd* dialog;          // whose child controls are exchanged; not owned

private:
    bool failed_ = false;
    int failedControl_ = 0;
};
