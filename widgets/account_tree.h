#pragma once
#include <QTreeWidget>
#include <functional>
#include <string>

class TAccounts;

// The account tree: per account one top-level node (its name) with two children (server, then
// login); while there is no account, the one placeholder node. Tree labels are 8-bit text. An
// account node shows its name with the counts of its last check ("Name (12, 3 new)") and, after
// a check in the background that did not happen or failed, an icon with the reason as tooltip.
class TAccountTree : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr const char* PlaceholderText =
        QT_TRANSLATE_NOOP("TAccountTree", "No accounts created yet");

    explicit TAccountTree(QWidget* parent = nullptr);

    // What an account node shows beside its name. Messages is -1 before the first check.
    struct TMarks {
        int Messages = -1;
        int New = 0;
        std::string Note;    // why a check in the background left the account out
        std::string Failure; // why its last check failed
        bool operator==(const TMarks&) const = default;
    };

    // All nodes, children included.
    int NodeCount() const;
    // A node's label: an account's name, without its counts.
    static std::string Label(const QTreeWidgetItem* node);
    static void SetLabel(QTreeWidgetItem* node, const std::string& text);
    // What the node shows: the name with its counts.
    static std::string Shown(const QTreeWidgetItem* node);
    static std::string NodeText(const std::string& name, int messages, int fresh);
    // The top-level node of the account, or nullptr.
    QTreeWidgetItem* AccountNode(const std::string& name) const;
    void SetMarks(const std::string& name, const TMarks& marks);
    static TMarks Marks(const QTreeWidgetItem* node);
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
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTreeWidgetItem* InsertAccountNode(int position, const std::string& name);
    static void SetDetails(QTreeWidgetItem* node, const std::string& server,
                           const std::string& user);
};
