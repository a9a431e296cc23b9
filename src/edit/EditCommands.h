#pragma once

class Form;

// The four record commands, reached from the toolbar, the shortcuts and the hidden menu. Each acts on the
// view named by CurWhat.
class EditCommands {
public:
    explicit EditCommands(Form& form) : f(form) {}
    void sbAdd();
    void sbEdit();
    void sbSave();
    void sbDelete();

private:
    // True (after the message) while sites are being moved: no command runs then.
    bool refusedWhileMoving();
    bool rootSelected() const;
    // The sites list's selected row is the site whose entries are on show.
    bool selectedSiteIsCurrent() const;
    void warn(const char* text);
    void focusTree();

    Form& f;
};
