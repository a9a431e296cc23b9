#pragma once

#include "state/WindowState.h"

// The floating edit panel as the views and commands use it; the edit panel implements it.
class PanelPort {
public:
    // Whether the panel holds a new record or an edited one; its caption says so.
    enum class Mode { Add, Edit };

    virtual ~PanelPort() = default;

    // Enables the group of a kind of record; What::None disables all seven boxes.
    virtual void FocusControl(What what) = 0;
    // Shows the panel for a new record of that kind, with its code allocated.
    virtual void NewWhat(What what) = 0;
    // Shows the panel filled from the selected record of that kind.
    virtual void EditWhat(What what) = 0;
    // Shows the panel as it is; a hidden one comes back centred.
    virtual void show() = 0;
    // Hides the panel; the boxes keep their contents.
    virtual void hide() = 0;
    // Hides the panel as the user closes it (Esc, cmdX, a saved edit): the focus goes back to the view named
    // by CurWhat.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual Mode mode() const = 0;
    // Sets the mode and the caption bar's text that names it.
    virtual void showCaption(Mode mode, What kind) = 0;
    // The kind of record the enabled group holds: Passwords, Sites, else Categories.
    virtual What enabledKind() const = 0;
};
