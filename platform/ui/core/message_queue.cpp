#include "platform/ui/core/message_queue.h"

#include <cstdint>
#include <deque>
#include <utility>

namespace {

struct PostedMessage {
    std::uint64_t serial;  // posting order
    const CCmdTarget* target;
    std::function<void()> work;
};

struct MessageQueueState {
    std::deque<PostedMessage> queue;  // serials ascending
    std::uint64_t nextSerial = 0;
};

MessageQueueState& State() {
    static MessageQueueState state;
    return state;
}

}  // namespace

void PostToTarget(CCmdTarget* target, std::function<void()> work) {
    if (target != nullptr && work) {
        MessageQueueState& state = State();
        state.queue.push_back({state.nextSerial++, target, std::move(work)});
    }
}

std::size_t DispatchPostedMessages() {
    // Only messages posted before the call run: each is taken off the queue
    // before it runs, so a handler may post more or drop others safely.
    MessageQueueState& state = State();
    const std::uint64_t end = state.nextSerial;
    std::size_t ran = 0;
    while (!state.queue.empty() && state.queue.front().serial < end) {
        PostedMessage message = std::move(state.queue.front());
        state.queue.pop_front();
        message.work();
        ++ran;
    }
    return ran;
}

void ForgetPostedMessages(const CCmdTarget* target) {
    std::erase_if(State().queue,
                  [target](const PostedMessage& message) { return message.target == target; });
}

std::size_t PostedMessageCount() {
    return State().queue.size();
}
