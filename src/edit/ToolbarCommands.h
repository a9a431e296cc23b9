#pragma once

#include <QObject>

class frmMain;

// Dispatches a click on a toolbar button by its index.
class ToolbarCommands : public QObject {
    Q_OBJECT

public:
    explicit ToolbarCommands(frmMain& form);
    void ButtonClick(int index);

private:
    frmMain& f;
};
