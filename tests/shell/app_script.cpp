#include "tests/shell/app_script.h"

#include <memory>

#include <gtest/gtest.h>

#include "platform/ui/host/ui_host.h"
#include "platform/window/system.h"

void AppScript::Wait(int turns) {
    auto left = std::make_shared<int>(turns);
    Then([left] { return --*left <= 0; });
}

void AppScript::Attach(UiHost& host) {
    host.SetTurnObserver([this](const TurnInfo& turn) { OnTurn(turn.turn); });
}

void AppScript::OnTurn(std::uint64_t turn) {
    if (turn > kTurnLimit) {
        ADD_FAILURE() << "the script did not finish; steps left: " << steps_.size();
        steps_.clear();
        PostQuitMessage(3);
        return;
    }
    if (!steps_.empty() && steps_.front()()) {
        steps_.pop_front();
    }
    if (steps_.empty()) {
        PostQuitMessage(0);
    }
}
