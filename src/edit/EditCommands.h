#pragma once

class frmMain;

// The four record commands, reached from the toolbar, the shortcuts and the hidden menu.
class EditCommands {
public:
    explicit EditCommands(frmMain& form) : f(form) {}
    void sbAdd();
    void sbEdit();
    void sbSave();
    void sbDelete();

private:
    frmMain& f;
};
