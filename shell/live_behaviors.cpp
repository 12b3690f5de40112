#include "shell/live_behaviors.h"

#include <utility>

namespace {

LiveBehaviorsSource& InstalledSource() {
    static LiveBehaviorsSource source;
    return source;
}

std::function<PageSettings()>& PageSettingsSource() {
    static std::function<PageSettings()> source;
    return source;
}

std::function<void()>& AppliedHandler() {
    static std::function<void()> handler;
    return handler;
}

}  // namespace

void SetLiveBehaviorsSource(LiveBehaviorsSource source) {
    InstalledSource() = std::move(source);
}

std::vector<cBehavior*>* LiveBehaviors() {
    const LiveBehaviorsSource& source = InstalledSource();
    return source ? source() : nullptr;
}

void SetPageSettingsSource(std::function<PageSettings()> source) {
    PageSettingsSource() = std::move(source);
}

PageSettings CurrentPageSettings() {
    return PageSettingsSource() ? PageSettingsSource()() : PageSettings{};
}

void SetBehaviorsAppliedHandler(std::function<void()> handler) {
    AppliedHandler() = std::move(handler);
}

void NotifyBehaviorsApplied() {
    if (AppliedHandler()) {
        AppliedHandler()();
    }
}
