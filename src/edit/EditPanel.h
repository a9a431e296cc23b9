#pragma once

#include <QObject>
#include <QString>

class frmMain;

// The floating edit panel: which group is enabled, preparing a new record or loading one for editing,
// and the events of its boxes.
class EditPanel : public QObject {
    Q_OBJECT

public:
    explicit EditPanel(frmMain& form);

    void FocusControl(QString& What);
    void FocusControl(QString&& What) { FocusControl(What); }
    void NewWhat(QString& What);
    void NewWhat(QString&& What) { NewWhat(What); }
    void EditWhat(QString& What);
    void EditWhat(QString&& What) { EditWhat(What); }
    // Hides the panel (Esc, cmdX); the boxes keep their contents.
    void hide();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    frmMain& f;
};
