#include "platform/ui/windows/app_identity.h"

#include <optional>
#include <utility>

#include "platform/ui/resources/resource_table.h"

namespace {

AppIdentity& Installed() {
    static AppIdentity identity;
    return identity;
}

}  // namespace

void SetAppIdentity(AppIdentity identity) {
    Installed() = std::move(identity);
}

std::string AfxGetAppName() {
    return Installed().name ? Installed().name() : "";
}

int AfxMessageBox(const char* text, UINT type, UINT /*helpId*/) {
    const HWND owner = Installed().mainWindow ? Installed().mainWindow() : nullptr;
    const std::string caption = AfxGetAppName();
    return MessageBoxA(owner, text, caption.c_str(), type);
}

int AfxMessageBox(UINT stringId, UINT type, UINT helpId) {
    const std::optional<std::string> text = AfxResources().LoadString(stringId);
    const std::string shown =
        text.value_or("The message " + std::to_string(stringId) + " is missing.");
    return AfxMessageBox(shown.c_str(), type, helpId);
}
