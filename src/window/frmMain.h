#pragma once

#include "models/CategoryModel.h"
#include "models/PasswordsModel.h"
#include "models/SitesModel.h"
#include "state/WindowState.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <memory>

class Connection;
class Prompter;
class Clipboard;
class Shell;

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QToolBar;
class QToolButton;
class QTreeView;

class ViewLoader;
class CategoryTree;
class SitesList;
class PasswordsList;
class UnlockKey;
class CheckTool;
class EditPanel;
class RecordSaver;
class RecordDeleter;
class EditCommands;
class SiteStars;
class ToolbarCommands;
class SiteMover;
class KeyRouter;
class PanelDrag;

// The desktop services the window reaches through seams, so tests can replace them.
struct Services {
    Prompter& prompter;
    Clipboard& clipboard;
    Shell& shell;
};

// The main window: its controls, named as designed, and the window-wide state that the views and the
// commands share. Behaviour lives with its subsystem (views/, edit/, window/UnlockKey, ...), one object each.
class frmMain : public QWidget {
    Q_OBJECT

public:
    frmMain(const QString& programFolder, Connection& db, Services services, QWidget* parent = nullptr);
    ~frmMain() override;

    static QString caption() { return QStringLiteral("Dorvu v4.0"); }
    static QString appTitle() { return QStringLiteral("Dorvu"); }

    // Start-up steps after the store is open: the tree loaded, the root expanded when it has children and
    // selected, the focus given to the tree.
    void startUp();

    // The window's outer size in twips, as designed (client area plus the designed frame).
    int outerWidth() const;
    int outerHeight() const;
    // Lays the controls out for the current size.
    void arrange();
    // Centres the edit panel for a command that shows it.
    void arrPan();

    // Controls.
    QToolBar* Toolbar1 = nullptr;
    std::array<QAction*, 18> Buttons{}; // Toolbar1's buttons by index 1..17 (separators included)
    QLabel* SSPanel2 = nullptr;
    QLineEdit* txtPass = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* SSPanel3 = nullptr;
    QLineEdit* txtNormal = nullptr;
    QPushButton* cmdCheck = nullptr;
    QLineEdit* txtEncrepted = nullptr;
    QTreeView* tvCategories = nullptr;
    QTreeView* lvURLs = nullptr;
    QLabel* sURLsCount = nullptr;
    QTreeView* lvPasswords = nullptr;
    QFrame* SSPanel1 = nullptr;
    QLabel* SSPanel4 = nullptr;
    QToolButton* cmdX = nullptr;
    std::array<QLabel*, 7> SSPanel5{};
    QLineEdit* txtCatName = nullptr;
    QLineEdit* txtSiteName = nullptr;
    QLineEdit* txtURL = nullptr;
    QPlainTextEdit* txtSiteDesc = nullptr;
    QLineEdit* txtUserID = nullptr;
    QLineEdit* txtPassword = nullptr;
    QLineEdit* txtPWDesc = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblPL = nullptr;
    QLabel* lblCatCode = nullptr;
    QLabel* lblSiteCode = nullptr;
    QLabel* lblSer = nullptr;
    QMenuBar* menuBar = nullptr;
    QMenu* M1 = nullptr;
    std::array<QAction*, 4> M1S{};

    // Window-wide state, typed; the widgets above show it.
    WindowState state;
    CategoryModel categoryModel;   // the nodes tvCategories shows
    SitesModel sitesModel;         // the rows lvURLs shows
    PasswordsModel passwordsModel; // the rows lvPasswords shows

    // Services.
    const QString programFolder;
    Connection& db;
    Prompter& prompter;
    Clipboard& clipboard;
    Shell& shell;

    // Behaviour, one object per subsystem.
    std::unique_ptr<ViewLoader> views;
    std::unique_ptr<CategoryTree> tree;
    std::unique_ptr<SitesList> sites;
    std::unique_ptr<PasswordsList> passwords;
    std::unique_ptr<UnlockKey> unlockKey;
    std::unique_ptr<CheckTool> checkTool;
    std::unique_ptr<EditPanel> panel;
    std::unique_ptr<RecordSaver> saver;
    std::unique_ptr<RecordDeleter> deleter;
    std::unique_ptr<EditCommands> commands;
    std::unique_ptr<SiteStars> stars;
    std::unique_ptr<SiteMover> mover;
    std::unique_ptr<ToolbarCommands> toolbar;

    // The error box of a command that the store refused (stop icon, the window's caption as title).
    void showStoreError(const QString& reason);
    // Border style of a view: 1 while it has the focus, 0 otherwise (kept as the "BorderStyle" property).
    static void setBorderStyle(QFrame* view, int style);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createControls();
    void createToolbar();
    void createStrip();
    void createViews();
    void createEditPanel();
    void createMenu();
    void placeDesigned();

    std::unique_ptr<KeyRouter> m_keys;
    std::unique_ptr<PanelDrag> m_drag;
    bool m_arranging = false;
};
