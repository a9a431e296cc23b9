#pragma once

#include <QObject>

class frmMain;
class QTreeWidgetItem;

// How the category tree reacts: node click, Space, collapse, focus gained and lost.
class CategoryTree : public QObject {
    Q_OBJECT

public:
    explicit CategoryTree(frmMain& form);

    // The node click for a node the tree has already made its selected node.
    void NodeClick(QTreeWidgetItem* node);
    // The node click on the tree's selected node, as other commands perform it.
    void ClickSelected();
    void Collapse(QTreeWidgetItem* node);
    void GotFocus();
    void LostFocus();

    // The current category's node (the one whose sites are on show), which every command acts on; the
    // tree's selection may differ from it after the arrow keys moved it.
    QTreeWidgetItem* current() const;
    qint64 currentCode() const;
    bool currentIsRoot() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    frmMain& f;
};
