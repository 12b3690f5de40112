#include "platform/ui/windows/cmd_target.h"

#include <utility>

#include "platform/ui/core/message_queue.h"

CCmdTarget::~CCmdTarget() {
    ForgetPostedMessages(this);
}

bool CCmdTarget::OnCmdMsg(UINT id, CommandAction action) {
    const auto found = handlers_.find(id);
    if (found == handlers_.end()) {
        return false;
    }
    if (action == CommandAction::QueryChecked) {
        const auto check = checks_.find(id);
        return check != checks_.end() && check->second();
    }
    if (action == CommandAction::Execute) {
        // A copy: the handler may remap or unmap its own id.
        const std::function<void()> handler = found->second;
        handler();
    }
    return true;
}

void CCmdTarget::MapCommand(UINT id, std::function<void()> handler) {
    if (handler) {
        handlers_[id] = std::move(handler);
    }
}

void CCmdTarget::MapCommandCheck(UINT id, std::function<bool()> checked) {
    if (checked) {
        checks_[id] = std::move(checked);
    }
}

void PostCommand(CCmdTarget* target, UINT id) {
    PostToTarget(target, [target, id] { target->OnCmdMsg(id, CommandAction::Execute); });
}
