#pragma once
#include "app/desktop_settings.h"
#include "app/settings_file.h"
#include "mail/mail_view.h"
#include "rules/mail_rules.h"

#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

class QAction;
class QMenu;
class QSplitter;
class QTimer;
class QTreeWidgetItem;
struct TAccount;
class TAccounts;
class TAccountTree;
class TBodyPanels;
class TDesktopNotifier;
class TMailOperations;
class TMailPreview;
class TNewMailNotifier;
class THeaders;
class TMessageGrid;
class TPreviewPane;
class TStatus;
class TBrowser;
class TSecretStore;
class TToolbarPanel;

// The main window: toolbar, account tree, divider and message table. It owns the account list
// and the mail operations (mail/mail_operations.h), whose view it is, and forwards its mail
// buttons and keys to them. The tree and table work lives in their own classes, the settings
// file in settings_file.cpp.
// The bytes the rules take for a cached row (its size cell, in KB).
int64_t RowBytes(std::string row);

class TForm1 : public QWidget, public TMailView {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Shows the window, maximized when "tarsel.ini" said so.
    void ShowAtStart();
    // The windows created after this one; not owned here.
    void AttachWindows(THeaders* headers, TStatus* status);

    // Operations the editor, the check and the deletion use.
    void ClearTable();
    void ShowAccountRows(int index) override;
    void AddAccountNode(const std::string& name, const std::string& server,
                        const std::string& user);
    void RefreshAccountNodes(const std::string& oldName, const std::string& newName);
    void SetRefreshed(const std::string& text) override;
    void SetWindowEnabled(bool enabled) override;
    bool WindowEnabled() const;
    bool AskPassword(std::string& password, bool lastRejected) override;
    void AbandonRunningCheck() override;

    // Where saved secrets go and come from: the desktop's keyring, or none (nullptr, the
    // default: mail.acc only).
    void UseKeyring(TSecretStore* store);
    // Opens the system's browser for a sign-in; tests give a stand-in.
    void UseBrowser(TBrowser& with) { browser = &with; }

    // Where the desktop hears of new mail: the desktop's tray and notices unless a test gives
    // another.
    void UseNotifier(TNewMailNotifier& notifier);
    const TDesktopSettings& Desktop() const { return desktop; }
    // Shows the window from the tray, and ends the program from there.
    void ShowFromTray();
    void QuitFromTray();
    // Whether the window may stay hidden at start ("--tray"): only where a tray shows the program.
    bool CanStartInTray() const;

    // Handlers.
    void FormCreate();
    void FormCloseQuery();
    void FormClose();
    void treeChange(QTreeWidgetItem* node);
    void add_accClick();
    void del_accClick();
    void ModifyAccount1Click();
    // The settings window (settings_window.cpp): shows the settings, writes what was chosen and
    // applies it at once.
    void SettingsClick();
    void smallpanelMouseMove(Qt::MouseButtons shift, int x, int y);

    // The table's keys and clicks and the header viewer (main_window_mail.cpp); the mail
    // operations behind the buttons are the mail's.
    void Button1Click();
    void del_mailClick();
    void gridDblClick();
    void gridKeyDown(int key, Qt::KeyboardModifiers shift);
    void gridSelectCell(int column, int message);
    // The rules (main_window_rules.cpp): "Delete marked", the editor, and the marks of the
    // table, renewed whenever it shows an account's rows.
    void DeleteMarkedClick();
    void RulesClick();
    void MarkRows();
    std::vector<int> MarkedMessages() const;
    const TMailRules& Rules() const { return rules; }

    TAccounts& Accounts() { return *accounts; }
    TMessageGrid& Grid() { return *grid; }
    TAccountTree& Tree() { return *tree; }
    THeaders* Headers() const { return headers; }
    TStatus* Status() const { return status; }
    TMailOperations& Mail() { return *mail; }
    TPreviewPane& Preview() { return *previewPane; }
    TMailPreview& PreviewReader() { return *preview; }

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void CreateWidgets();
    void CreateMenus();
    void BindHandlers();
    // The settings as the file gives them, fitted to the screens first.
    void ApplySettings(const TWindowSettings& wanted);
    TWindowSettings CurrentSettings() const;
    void LoadAccounts();
    void FitDesignedWidths(const TWindowSettings& read);
    void BindShortcuts();
    // Puts the desktop settings to work: the clock, the tray on closing, the notices.
    void ApplyDesktop();
    void LoadMailRules();
    // The preview pane (main_window_preview.cpp): the current row's first lines, read a moment
    // after the selection settles, never while another mail operation holds the mailbox.
    void CreatePreview();
    void SchedulePreview();
    void ReadPreview();
    bool ShowCheckedPreview(const TAccount* account);
    void StopPreview();

    std::unique_ptr<TAccounts> accounts;
    std::unique_ptr<TMailOperations> mail; // after the accounts, which it uses
    TToolbarPanel* Panel3 = nullptr;
    TBodyPanels* body = nullptr;
    TAccountTree* tree = nullptr;
    TMessageGrid* grid = nullptr;
    QSplitter* tableSplit = nullptr; // the table above the preview
    TPreviewPane* previewPane = nullptr;
    std::unique_ptr<TMailPreview> preview;
    QTimer* previewTimer = nullptr;
    QMenu* Popup = nullptr;
    QAction* AddAccount1 = nullptr;
    QAction* RemoveAccount1 = nullptr;
    QAction* ModifyAccount1 = nullptr;
    QMenu* popup2 = nullptr;
    QAction* Delete1 = nullptr;
    QAction* DeleteMarked1 = nullptr;
    QAction* Rules1 = nullptr;
    QAction* CheckKey = nullptr;   // the Check button's shortcut
    QAction* HeadersKey = nullptr; // the Headers button's shortcut
    QAction* QuitKey = nullptr;    // Ctrl+Q
    QAction* CheckAll1 = nullptr;
    QAction* Settings1 = nullptr;
    std::unique_ptr<TDesktopNotifier> desktopNotifier;
    TNewMailNotifier* notifier = nullptr; // the desktop's, or a test's
    TDesktopSettings desktop;
    bool quitting = false; // the tray's Quit: the window closes for good
    THeaders* headers = nullptr;
    TStatus* status = nullptr;
    bool startMaximized = false;
    TSecretStore* keyring = nullptr;
    TBrowser* browser = nullptr; // the desktop's when none was given
    TMailRules rules;
};
