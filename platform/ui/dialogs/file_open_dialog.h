#pragma once

// The toolkit's prompt for a file to open: a modal box with one edit box for
// the path, OK and Cancel. (There is no file browser.)

#include <string>

#include "platform/ui/dialogs/dialog.h"

class CFileOpenDialog : public CDialog {
public:
    static constexpr int kFileNameId = 1152;

    explicit CFileOpenDialog(CWnd* owner = nullptr);

    void DoDataExchange(CDataExchange* exchange) override;

    std::string fileName;  // the path typed; read when OK closes the box
};
