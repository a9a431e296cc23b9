#pragma once

#include <QObject>
#include <QString>
#include <array>

class frmMain;
class QWidget;

// The floating edit panel: which group is enabled, preparing a new record or loading one for editing,
// and the events of its boxes.
class EditPanel : public QObject {
    Q_OBJECT

public:
    explicit EditPanel(frmMain& form);

    // Enables the group of What ("Categories", "Sites", "Passwords"); another value disables all seven.
    void FocusControl(QString& What);
    void FocusControl(QString&& What) { FocusControl(What); }
    // Shows the panel for a new record of kind What, with its code allocated.
    void NewWhat(QString& What);
    void NewWhat(QString&& What) { NewWhat(What); }
    // Shows the panel filled from the selected record of kind What.
    void EditWhat(QString& What);
    void EditWhat(QString&& What) { EditWhat(What); }
    // Hides the panel (Esc, cmdX, a saved edit) and gives the focus back to the view named by CurWhat; the
    // boxes keep their contents.
    void hide();

    // The kind of record the enabled group holds: "Passwords", "Sites", else "Categories".
    QString enabledKind() const;
    // The first box of a group, nullptr for another What.
    QWidget* firstBox(const QString& What) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showPanel();
    void setBoxEnabled(QWidget* box, bool enabled);
    // Fills the group's code label with the next free code; false (after telling the user) when the store fails.
    bool allocateCode(const QString& kind);
    void focusFirstBox(const QString& What);
    void boxFocused(QWidget* box);

    frmMain& f;
    std::array<QWidget*, 7> m_boxes{};
    bool m_switching = false; // FocusControl is enabling and disabling boxes
};
