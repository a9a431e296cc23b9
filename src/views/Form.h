#pragma once

#include "models/CategoryModel.h"
#include "models/PasswordsModel.h"
#include "models/SitesModel.h"
#include "state/WindowState.h"

#include <QString>
#include <array>

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
class QWidget;

class ViewLoader;
class CategoryTree;
class SitesList;
class PasswordsList;
class UnlockKey;
class PanelPort;
class RecordSaver;
class RecordDeleter;
class EditCommands;
class SiteStars;
class SiteMover;

// The desktop services the window reaches through seams, so tests can replace them.
struct Services {
    Prompter& prompter;
    Clipboard& clipboard;
    Shell& shell;
};

// What the views and the commands share: the window's controls by their designed names, the typed state and
// the models those controls show, the store and the desktop seams, and the subsystems that act on them. The
// main window builds it; the views and commands see nothing else of the window.
class Form {
public:
    Form(QString programFolder, Connection& db, Services services);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    static QString caption() { return QStringLiteral("Dorvu v4.0"); }
    static QString appTitle() { return QStringLiteral("Dorvu"); }
    // Border style of a view: 1 while it has the focus, 0 otherwise (kept as the "BorderStyle" property).
    static void setBorderStyle(QFrame* view, int style);
    // The error box of a command that the store refused (stop icon, the window's caption as title).
    void showStoreError(const QString& reason);
    // Centres the edit panel for a command that shows it.
    virtual void arrPan() = 0;
    // The window itself: the owner of its dialogs, and what tells its focus from another window's.
    virtual QWidget* mainWindow() = 0;

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

    // Window-wide state, typed; the controls above show it.
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

    // Behaviour, one object per subsystem (owned by the window).
    ViewLoader* views = nullptr;
    CategoryTree* tree = nullptr;
    SitesList* sites = nullptr;
    PasswordsList* passwords = nullptr;
    UnlockKey* unlockKey = nullptr;
    PanelPort* panel = nullptr;
    RecordSaver* saver = nullptr;
    RecordDeleter* deleter = nullptr;
    EditCommands* commands = nullptr;
    SiteStars* stars = nullptr;
    SiteMover* mover = nullptr;
};
