#pragma once

// The toolkit's posted messages: work that a click, a menu choice, a tab
// change or an accelerator asks for while the interface is being drawn or
// its events read, run afterwards, between two frames, in posting order.
// Nothing of the program runs in the middle of drawing, so a handler may
// destroy windows or open a modal box safely.
//
// Each message names the object it belongs to; when that object dies first
// (CCmdTarget's destructor tells the queue), its messages are dropped.

#include <cstddef>
#include <functional>

class CCmdTarget;

// Queues work for target (not null). Runs on the next DispatchPostedMessages.
void PostToTarget(CCmdTarget* target, std::function<void()> work);
// Runs every message queued before the call (messages posted while they run
// wait for the next dispatch). Returns how many ran.
std::size_t DispatchPostedMessages();
// Drops the waiting messages of target.
void ForgetPostedMessages(const CCmdTarget* target);
std::size_t PostedMessageCount();
