#pragma once

#include <QObject>

class frmMain;

// The passwords list: filling it (masked, deciphered into the rows), entry click, header, focus.
class PasswordsList : public QObject {
    Q_OBJECT

public:
    explicit PasswordsList(frmMain& form);

    // ReLoad for "Passwords": the entries of the selected site in the selected category.
    void Fill();
    // The entry click on the list's selected row.
    void EntryClick();
    // Header click for column c, 1 to 3.
    void HeaderClick(int c);
    void GotFocus();
    void LostFocus();
    void applySort();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    frmMain& f;
};
