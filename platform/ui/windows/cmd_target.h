#pragma once

// CCmdTarget: an object that handles commands (menu items, accelerators,
// button clicks) by id. Handlers are registered with MapCommand, typically
// in the constructor; OnCmdMsg finds the handler of an id and, in classes
// that route (frame, view, dialog, application), passes an unhandled id on
// along their routing chain.

#include <functional>
#include <map>

#include "platform/gfx/d3d9_types.h"
#include "platform/ui/core/runtime_class.h"

// What OnCmdMsg is asked to do with a command.
enum class CommandAction {
    Execute,       // run the handler
    Query,         // only report whether a handler exists (menus grey out items without one)
    QueryChecked,  // report whether a handler exists and shows its item ticked
};

class CCmdTarget : public CObject {
public:
    CCmdTarget() = default;
    // Drops any posted message still addressed to this object.
    ~CCmdTarget() override;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Handles command id: true when a handler exists (and, for Execute, ran;
    // for QueryChecked, shows its item ticked).
    // The base looks only at this object's own handlers; overrides add the
    // routing chain after them.
    virtual bool OnCmdMsg(UINT id, CommandAction action);
    bool HasOwnHandler(UINT id) const { return handlers_.count(id) != 0; }

protected:
    // Registers (or replaces) the handler of command id.
    void MapCommand(UINT id, std::function<void()> handler);
    // Registers whether the menu item of command id (whose handler is here)
    // shows a tick; asked each time the menu is drawn.
    void MapCommandCheck(UINT id, std::function<bool()> checked);
    void UnmapCommand(UINT id) { handlers_.erase(id); }

private:
    std::map<UINT, std::function<void()>> handlers_;
    std::map<UINT, std::function<bool()>> checks_;
};

// Posts command id to target, to run between frames (see message_queue.h).
void PostCommand(CCmdTarget* target, UINT id);
