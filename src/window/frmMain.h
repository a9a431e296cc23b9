#pragma once

#include "views/Form.h"

#include <QWidget>
#include <memory>

class CheckTool;
class EditPanel;
class KeyRouter;
class PanelDrag;
class ToolbarCommands;

// The main window: it builds its controls, named as designed, lays them out, and owns the subsystems that
// act on them (views/, edit/, one object each), which share what Form holds.
class frmMain : public QWidget, public Form {
    Q_OBJECT

public:
    frmMain(const QString& programFolder, Connection& db, Services services, QWidget* parent = nullptr);
    ~frmMain() override;

    // Start-up steps after the store is open: the tree loaded, the root expanded when it has children and
    // selected, the focus given to the tree.
    void startUp();

    // The window's outer size in twips, as designed (client area plus the designed frame).
    int outerWidth() const;
    int outerHeight() const;
    // Lays the controls out for the current size.
    void arrange();
    void arrPan() override;
    QWidget* mainWindow() override { return this; }

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
    void createSubsystems();

    std::unique_ptr<ViewLoader> m_views;
    std::unique_ptr<CategoryTree> m_tree;
    std::unique_ptr<SitesList> m_sites;
    std::unique_ptr<PasswordsList> m_passwords;
    std::unique_ptr<UnlockKey> m_unlockKey;
    std::unique_ptr<CheckTool> m_checkTool;
    std::unique_ptr<EditPanel> m_panel;
    std::unique_ptr<RecordSaver> m_saver;
    std::unique_ptr<RecordDeleter> m_deleter;
    std::unique_ptr<EditCommands> m_commands;
    std::unique_ptr<SiteStars> m_stars;
    std::unique_ptr<SiteMover> m_mover;
    std::unique_ptr<ToolbarCommands> m_toolbar;
    std::unique_ptr<KeyRouter> m_keys;
    std::unique_ptr<PanelDrag> m_drag;
    bool m_arranging = false;
};
