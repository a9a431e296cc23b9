#pragma once

#include <QDialog>
#include <QString>

class QShowEvent;
class Shell;

// The about box: the program's title and notes, and the way into the help file dorvu.chm in the program's folder.
// The caller shows it modally; it opens centred on its parent window every time it is shown.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    // programFolder is the folder of the executable, where dorvu.chm lies; shell opens it.
    frmAbout(const QString& programFolder, Shell& shell, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void openContents();
    void centreOnParent();

    QString m_programFolder;
    Shell& m_shell;
};
