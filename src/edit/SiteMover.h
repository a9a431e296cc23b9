#pragma once

#include <QtGlobal>

class Form;

// Moving checked sites with their passwords to another category: toolbar button 9. Going down it picks the
// checked sites out of the list (the store is not touched); going up it pastes them, with their passwords,
// into the selected category under new codes, as one unit of work.
class SiteMover {
public:
    explicit SiteMover(Form& form) : f(form) {}
    // Button 9 was clicked: it goes down (pick) or up (paste).
    void ButtonClicked();

    // Button 9's two faces.
    void showMoveFace();
    void showPasteFace();

private:
    void pick();
    void paste();
    // The store's part of a paste; throws StoreError, leaving the caller's unit of work to roll back.
    void transfer(qint64 T);
    // Moving mode, and button 9 showing it.
    void setDown(bool down);

    Form& f;
};
