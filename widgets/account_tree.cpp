#include "widgets/account_tree.h"

#include "accounts/account_list.h"
#include "platform/translated_text.h"
#include "widgets/menu_key.h"
#include "widgets/text_bytes.h"
#include "widgets/ui_guard.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <memory>

namespace {
constexpr int NameRole = Qt::UserRole;         // the label without its counts
constexpr int MessagesRole = Qt::UserRole + 1; // the counts of TMarks
constexpr int NewRole = Qt::UserRole + 2;
constexpr int NoteRole = Qt::UserRole + 3;
constexpr int FailureRole = Qt::UserRole + 4;

QIcon MarkIcon(const TAccountTree::TMarks& marks) {
    if (!marks.Failure.empty())
        return QIcon::fromTheme("dialog-error",
                                QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical));
    if (!marks.Note.empty())
        return QIcon::fromTheme("dialog-information", QApplication::style()->standardIcon(
                                                          QStyle::SP_MessageBoxInformation));
    return {};
}
} // namespace

TAccountTree::TAccountTree(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("tree");
    setAccessibleName(tr("Accounts"));
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
    if (!node) return {};
    const QVariant name = node->data(0, NameRole);
    return ToBytes(name.isValid() ? name.toString() : node->text(0));
}

void TAccountTree::SetLabel(QTreeWidgetItem* node, const std::string& text) {
    if (!node) return;
    node->setData(0, NameRole, ToQString(text));
    const TMarks marks = Marks(node);
    node->setText(0, ToQString(NodeText(text, marks.Messages, marks.New)));
}

std::string TAccountTree::Shown(const QTreeWidgetItem* node) {
    return node ? ToBytes(node->text(0)) : std::string();
}

std::string TAccountTree::NodeText(const std::string& name, int messages, int fresh) {
    if (messages < 0) return name;
    if (fresh > 0)
        return Filled(Translated("TAccountTree", "%1 (%2, %n new)", nullptr, fresh), name,
                      std::to_string(messages));
    return name + " (" + std::to_string(messages) + ")";
}

QTreeWidgetItem* TAccountTree::AccountNode(const std::string& name) const {
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (Label(topLevelItem(i)) == name) return topLevelItem(i);
    return nullptr;
}

TAccountTree::TMarks TAccountTree::Marks(const QTreeWidgetItem* node) {
    TMarks marks;
    if (!node) return marks;
    const QVariant messages = node->data(0, MessagesRole);
    if (messages.isValid()) marks.Messages = messages.toInt();
    marks.New = node->data(0, NewRole).toInt();
    marks.Note = ToBytes(node->data(0, NoteRole).toString());
    marks.Failure = ToBytes(node->data(0, FailureRole).toString());
    return marks;
}

// Rows are painted only when something changed: a round of checks sets every node.
void TAccountTree::SetMarks(const std::string& name, const TMarks& marks) {
    QTreeWidgetItem* node = AccountNode(name);
    if (!node || Marks(node) == marks) return;
    node->setData(0, MessagesRole, marks.Messages);
    node->setData(0, NewRole, marks.New);
    node->setData(0, NoteRole, ToQString(marks.Note));
    node->setData(0, FailureRole, ToQString(marks.Failure));
    node->setText(0, ToQString(NodeText(name, marks.Messages, marks.New)));
    node->setIcon(0, MarkIcon(marks));
    node->setToolTip(0, ToQString(marks.Failure.empty() ? marks.Note : marks.Failure));
    QFont font = node->font(0);
    font.setBold(marks.New > 0);
    node->setFont(0, font);
}

std::string TAccountTree::AccountName(const QTreeWidgetItem* node) {
    if (node && node->parent()) return Label(node->parent());
    return Label(node);
}

void TAccountTree::InsertPlaceholder() {
    InsertAccountNode(0, Translated("TAccountTree", PlaceholderText));
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

void TAccountTree::keyPressEvent(QKeyEvent* event) {
    if (!OpenMenuByKey(*this, *event)) QTreeWidget::keyPressEvent(event);
}
