#pragma once

#include "state/WindowState.h"

class Form;

// Load, ReLoad and Clear: filling and emptying the three views and the edit panel's groups.
// What names a view; What::None does nothing.
class ViewLoader {
public:
    explicit ViewLoader(Form& form) : f(form) {}

    // Empties the view and the views below it in the cascade, then ReLoad.
    void Load(What what);
    // Reads the store and rebuilds the view (selects and expands nothing).
    void ReLoad(What what);
    // Empties the edit panel's group for that kind of record and its code register.
    void Clear(What what);
    // Empties the sites list (its check-all header reset, the count at "0 Site(s)") and the passwords list.
    void emptySites();

private:
    void reloadCategories();
    void reloadSites();

    Form& f;
};
