#pragma once

#include <QObject>

class Form;

// Dispatches a click on a toolbar button by its index. While sites are being moved only the Move/Paste
// button (9) and Exit (17) act.
class ToolbarCommands : public QObject {
    Q_OBJECT

public:
    explicit ToolbarCommands(Form& form);
    void ButtonClick(int index);

private:
    // The about box, modal over the main window.
    void showAbout();
    // Ends the program at once: the main loop is asked to return and nothing more runs here.
    static void exitNow();

    Form& f;
};
