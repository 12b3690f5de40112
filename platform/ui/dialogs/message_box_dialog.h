#pragma once

// The toolkit's message box: the text (wrapped at a readable width), the
// standard icon the type asks for, and an OK button; shown modally over the
// main window. Used for MessageBoxA and AfxMessageBox once the display runs.

#include <string>

#include "platform/ui/dialogs/dialog.h"

class CMessageBoxDialog : public CDialog {
public:
    CMessageBoxDialog(const std::string& text, const std::string& caption, UINT type);

    BOOL OnInitDialog() override;
    int UnattendedResult() const override;
    const std::string& GetText() const { return text_; }

private:
    std::string text_;
    UINT type_;
};

// The template of a message box for text and type (sizes in dialog units
// from the interface font's measures).
DialogTemplate MessageBoxTemplate(const std::string& text, const std::string& caption, UINT type);
