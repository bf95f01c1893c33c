#include "ui/account_tree.h"

#include "accounts/account_list.h"
#include "accounts/text_bytes.h"
#include "ui/ui_guard.h"

#include <QHeaderView>
#include <memory>

TAccountTree::TAccountTree(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("tree");
    setHeaderHidden(true);
    setColumnCount(1);
    setIndentation(19);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows);
    setFrameShape(QFrame::NoFrame);
    setStyleSheet("QTreeView { show-decoration-selected: 1; }"); // the whole row is selected
    setContextMenuPolicy(Qt::CustomContextMenu);
    setExpandsOnDoubleClick(false); // a double click opens the account editor
    // The selection stays visible while the tree has no focus.
    QPalette colours = palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    setPalette(colours);
    InsertPlaceholder();
}

int TAccountTree::NodeCount() const {
    int count = 0;
    for (int i = 0; i < topLevelItemCount(); ++i)
        count += 1 + topLevelItem(i)->childCount();
    return count;
}

std::string TAccountTree::Label(const QTreeWidgetItem* node) {
    return node ? ToBytes(node->text(0)) : std::string();
}

void TAccountTree::SetLabel(QTreeWidgetItem* node, const std::string& text) {
    if (node) node->setText(0, ToQString(text));
}

std::string TAccountTree::AccountName(const QTreeWidgetItem* node) {
    if (node && node->parent()) return Label(node->parent());
    return Label(node);
}

void TAccountTree::InsertPlaceholder() {
    InsertAccountNode(0, PlaceholderText);
}

QTreeWidgetItem* TAccountTree::InsertAccountNode(int position, const std::string& name) {
    auto* node = new QTreeWidgetItem;
    SetLabel(node, name);
    insertTopLevelItem(position, node); // the tree owns the node from here
    return node;
}

void TAccountTree::SetDetails(QTreeWidgetItem* node, const std::string& server,
                              const std::string& user) {
    for (const std::string* text : {&server, &user}) {
        auto* child = new QTreeWidgetItem(node); // owned by its parent node
        SetLabel(child, *text);
    }
    node->setExpanded(true);
}

void TAccountTree::Fill(const TAccounts& accounts) {
    if (accounts.Count() == 0) return;
    QTreeWidgetItem* first = topLevelItemCount() > 0 ? topLevelItem(0) : InsertAccountNode(0, "");
    SetLabel(first, accounts.At(0).Name);
    SetDetails(first, accounts.At(0).Server, accounts.At(0).User);
    // The other accounts in list order, in front of the first, inserted in one go: one node at a
    // time at the front costs time in the square of their number.
    QList<QTreeWidgetItem*> nodes;
    nodes.reserve(accounts.Count() - 1);
    for (int i = 1; i < accounts.Count(); ++i) {
        const TAccount& account = accounts.At(i);
        auto* node = new QTreeWidgetItem; // owned by the tree once inserted below
        SetLabel(node, account.Name);
        SetDetails(node, account.Server, account.User);
        nodes.append(node);
    }
    insertTopLevelItems(0, nodes);
    expandAll(); // nodes expand only once they are in the tree
}

void TAccountTree::AddAccountNode(const std::string& name, const std::string& server,
                                  const std::string& user) {
    QTreeWidgetItem* node = nullptr;
    if (NodeCount() == 1) {
        node = topLevelItem(0);
        SetLabel(node, name);
    } else {
        node = InsertAccountNode(topLevelItemCount(), name);
    }
    SetDetails(node, server, user);
}

bool TAccountTree::RelabelAccounts(const TAccounts& accounts, const std::string& oldName,
                                   const std::string& newName) {
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* node = topLevelItem(i);
        if (!oldName.empty() && !newName.empty() && Label(node) == oldName) SetLabel(node, newName);
        const int index = accounts.IndexOf(Label(node));
        if (index == -1) return false;
        SetLabel(node->child(0), accounts.At(index).Server);
        SetLabel(node->child(1), accounts.At(index).User);
    }
    return true;
}

void TAccountTree::RemoveSelectedAccount() {
    QTreeWidgetItem* selected = currentItem();
    if (!selected) return;
    QTreeWidgetItem* node = selected->parent() ? selected->parent() : selected;
    // Moving up to the account node first lets the tree hand the selection to a neighbour.
    if (node != selected) setCurrentItem(node);
    std::unique_ptr<QTreeWidgetItem> removed(takeTopLevelItem(indexOfTopLevelItem(node)));
    if (!currentItem() && topLevelItemCount() > 0) setCurrentItem(topLevelItem(0));
}

void TAccountTree::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeWidget::mouseDoubleClickEvent(event);
    if (OnDblClick) RunGuarded(OnDblClick);
}
