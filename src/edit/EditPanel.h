#pragma once

#include "views/PanelPort.h"

#include <QObject>
#include <array>

class Form;
class QWidget;

// The floating edit panel: which group is enabled, preparing a new record or loading one for editing,
// and the events of its boxes.
class EditPanel : public QObject, public PanelPort {
    Q_OBJECT

public:
    explicit EditPanel(Form& form);

    // Enables the group of a kind of record; What::None disables all seven boxes.
    void FocusControl(What what) override;
    // Shows the panel for a new record of that kind, with its code allocated.
    void NewWhat(What what) override;
    // Shows the panel filled from the selected record of that kind.
    void EditWhat(What what) override;
    // Hides the panel; the boxes keep their contents.
    void hide() override;
    // Hides the panel as the user closes it (Esc, cmdX, a saved edit): the focus goes back to the view named
    // by CurWhat.
    void close() override;

    // Shows the panel as it is; a hidden one comes back centred.
    void show() override;
    bool isOpen() const override { return m_open; }
    Mode mode() const override { return m_mode; }
    // Sets the mode and the caption bar's text that names it.
    void showCaption(Mode mode, What kind) override;
    // The kind of record the enabled group holds: Passwords, Sites, else Categories.
    What enabledKind() const override;
    // The first box of a group, nullptr for What::None.
    QWidget* firstBox(What what) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    What groupOf(const QWidget* box) const;
    void setBoxEnabled(QWidget* box, bool enabled);
    // Fills the group's code register with the next free code; false (after telling the user) when the store
    // fails or the scope is full.
    bool allocateCode(What kind);
    void focusFirstBox(What what);
    void boxFocused(QWidget* box);

    Form& f;
    std::array<QWidget*, 7> m_boxes{};
    bool m_open = false;
    // Before the panel is first filled its caption ("[ Add / Edit ] Panel") reads as adding.
    Mode m_mode = Mode::Add;
    What m_group = What::None;
    bool m_switching = false; // FocusControl is enabling and disabling boxes
};
