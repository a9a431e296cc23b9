#pragma once

#include <QModelIndex>
#include <QObject>

class CategoryModel;
class Form;

// How the category tree reacts: node click, Space, collapse, focus gained and lost.
class CategoryTree : public QObject {
    Q_OBJECT

public:
    explicit CategoryTree(Form& form);

    // The node click for a node; it becomes the tree's selected node.
    void NodeClick(const QModelIndex& node);
    // The node click on the tree's selected node, as other commands perform it.
    void ClickSelected();
    void Collapse(const QModelIndex& node);
    void GotFocus();
    void LostFocus();

    // The current category's node (the one whose sites are on show), which every command acts on; the
    // tree's selection may differ from it after the arrow keys moved it.
    QModelIndex current() const;
    qint64 currentCode() const;
    bool currentIsRoot() const;
    // The tree's selected node, and selecting one without a click.
    QModelIndex selected() const;
    void select(const QModelIndex& node);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Form& f;
    CategoryModel& m_model;
};
