#pragma once
#include <QTreeWidget>
#include <functional>
#include <string>

class TAccounts;

// The account tree: per account one top-level node (its name) with two children (server, then
// login); while there is no account, the one placeholder node. Tree labels are 8-bit text.
class TAccountTree : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr const char* PlaceholderText = "No accounts created yet";

    explicit TAccountTree(QWidget* parent = nullptr);

    // All nodes, children included.
    int NodeCount() const;
    static std::string Label(const QTreeWidgetItem* node);
    static void SetLabel(QTreeWidgetItem* node, const std::string& text);
    // The account a node stands for: its parent's label for a server or login line.
    static std::string AccountName(const QTreeWidgetItem* node);

    // Start-up: with accounts A, B, C the top-level order is B, C, A. Every node expanded.
    void Fill(const TAccounts& accounts);
    void AddAccountNode(const std::string& name, const std::string& server,
                        const std::string& user);
    // Relabels old to new and every server and login line; false (walk stopped at once) when
    // a top-level label names no account.
    bool RelabelAccounts(const TAccounts& accounts, const std::string& oldName,
                         const std::string& newName);
    // Removes the selected node's account node with its children.
    void RemoveSelectedAccount();
    void InsertPlaceholder();

    std::function<void()> OnDblClick; // runs through the failure guard

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QTreeWidgetItem* InsertAccountNode(int position, const std::string& name);
    static void SetDetails(QTreeWidgetItem* node, const std::string& server,
                           const std::string& user);
};
