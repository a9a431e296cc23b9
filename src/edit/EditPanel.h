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

    void FocusControl(What what) override;
    void NewWhat(What what) override;
    void EditWhat(What what) override;
    void show() override;
    void hide() override;
    void close() override;
    bool isOpen() const override { return m_open; }
    Mode mode() const override { return m_mode; }
    void showCaption(Mode mode, What kind) override;
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
