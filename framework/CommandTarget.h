#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace fw {

// What one update query says about a command; menu items and toolbar buttons
// both take their state from it. Unset fields leave the item as it is, so a
// check set directly (a pressed tool button) survives the idle refresh.
struct CommandState {
    bool enabled = true;
    std::optional<bool> checked;
    bool radio = false;  // a menu item shows a bullet instead of a tick
    std::optional<std::wstring> text;
};

// One link of the command route: view, document, child frame, main frame,
// application. Each says whether the command is its own.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    virtual bool OnCommand(UINT) { return false; }
    // Claims the command by returning true, after filling in its state. A
    // command nobody claims is shown disabled.
    virtual bool OnUpdateCommand(UINT, CommandState&) { return false; }
};

}  // namespace fw
