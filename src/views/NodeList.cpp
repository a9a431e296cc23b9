#include "views/NodeList.h"

#include "store/Codes.h"
#include "views/ViewItems.h"

void NodeList::clear()
{
    m_nodes.clear();
    m_byKey.clear();
}

void NodeList::append(QTreeWidgetItem* node, const QString& key)
{
    m_nodes.append(node);
    m_byKey.insert(key, node);
}

void NodeList::remove(QTreeWidgetItem* node)
{
    m_nodes.removeOne(node);
    m_byKey.remove(items::key(node));
}

QTreeWidgetItem* NodeList::at(int index) const
{
    return index >= 1 && index <= m_nodes.size() ? m_nodes.at(index - 1) : nullptr;
}

QTreeWidgetItem* NodeList::at(const QString& index) const
{
    const qint64 n = codes::numericValue(index);
    return n >= 1 && n <= m_nodes.size() ? m_nodes.at(n - 1) : nullptr;
}

int NodeList::indexOf(const QTreeWidgetItem* node) const
{
    return int(m_nodes.indexOf(const_cast<QTreeWidgetItem*>(node))) + 1;
}

QTreeWidgetItem* NodeList::byCode(qint64 code) const
{
    return code == 0 ? at(1) : byKey(QStringLiteral("Sub%1").arg(code));
}
