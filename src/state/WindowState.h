#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <optional>

// The kind of record a view shows and the commands act on: the tree, the sites list or the passwords list.
enum class What { None, Categories, Sites, Passwords };

// One site picked by Move: where it stood when it was picked.
struct MoveEntry {
    qint32 catCode = 0;
    qint32 siteCode = 0;
    friend bool operator==(const MoveEntry&, const MoveEntry&) = default;
};

// The codes of the record the edit panel shows; empty when cleared.
struct Registers {
    std::optional<qint32> catCode;
    std::optional<qint32> siteCode;
    std::optional<int> ser;
    friend bool operator==(const Registers&, const Registers&) = default;
};

// The window-wide state the views and commands share. Widgets show it; no behaviour reads it back from them.
class WindowState : public QObject {
    Q_OBJECT

public:
    // The view the commands act on: the last view or edit box that got the focus or a click.
    What CurWhat = What::None;
    // The current category (the one whose sites are on show), by its code: 0 for the root. A code, unlike a
    // node's position, survives nodes being removed and the tree being reloaded.
    qint32 SelNodeIndex = 0;

    // Moving sites: the Move button down, sites picked and not yet pasted, and where they come from.
    bool movingMode = false;
    bool MovingSites = false;
    QList<MoveEntry> MoveList;
    qint32 MoveFromCat = 0;

    const Registers& registers() const { return m_registers; }
    // Shown by the hidden labels lblCatCode, lblSiteCode and lblSer.
    void setCatCode(std::optional<qint32> code) { change(&Registers::catCode, code); }
    void setSiteCode(std::optional<qint32> code) { change(&Registers::siteCode, code); }
    void setSer(std::optional<int> ser) { change(&Registers::ser, ser); }

signals:
    void registersChanged();

private:
    template <typename T> void change(std::optional<T> Registers::*field, std::optional<T> value)
    {
        if (m_registers.*field == value)
            return;
        m_registers.*field = value;
        emit registersChanged();
    }

    Registers m_registers;
};
