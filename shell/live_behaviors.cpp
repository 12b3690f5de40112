#include "shell/live_behaviors.h"

#include <utility>

namespace {

LiveBehaviorsSource& InstalledSource() {
    static LiveBehaviorsSource source;
    return source;
}

}  // namespace

void SetLiveBehaviorsSource(LiveBehaviorsSource source) {
    InstalledSource() = std::move(source);
}

std::vector<cBehavior*>* LiveBehaviors() {
    const LiveBehaviorsSource& source = InstalledSource();
    return source ? source() : nullptr;
}
