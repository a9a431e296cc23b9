#pragma once

class frmMain;

// Moving checked sites with their passwords to another category: toolbar button 9.
class SiteMover {
public:
    explicit SiteMover(frmMain& form) : f(form) {}
    // Moving mode: button 9 is down.
    bool movingMode() const;
    // Button 9 was clicked and is now down (pick) or up (paste).
    void ButtonClicked();

private:
    frmMain& f;
};
