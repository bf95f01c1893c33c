#pragma once
#include "app/settings_file.h"
#include "app/window_desktop.h"
#include "app/window_menus.h"
#include "app/window_placement.h"
#include "app/window_preview.h"
#include "app/window_rules.h"
#include "mail/mail_view.h"

#include <QWidget>
#include <memory>
#include <string>

class QTreeWidgetItem;
class TAccounts;
class TAccountTree;
class TBodyPanels;
class TDesktopNotifier;
class TMailOperations;
class TNewMailNotifier;
class THeaders;
class TMessageGrid;
class TStatus;
class TBrowser;
class TSecretStore;
class TToolbarPanel;

// The main window: toolbar, account tree, divider, message table and preview. It owns the
// account list and the mail operations (mail/mail_operations.h), whose view it is, and forwards
// its buttons, menus and keys: the mail's to them, the preview's, the rules', the desktop
// settings' and the sizes' to their own objects (window_preview.h, window_rules.h,
// window_desktop.h, window_placement.h).
class TForm1 : public QWidget, public TMailView {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Shows the window, maximized when "tarsel.ini" said so.
    void ShowAtStart() { sizes->ShowAtStart(); }
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
    const TDesktopSettings& Desktop() const { return onDesktop->Settings(); }
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
    // The settings window: shows the settings, writes what was chosen and applies it at once.
    void SettingsClick() { onDesktop->SettingsClick(); }
    void smallpanelMouseMove(Qt::MouseButtons shift, int x, int y);

    // The table's keys and clicks and the header viewer; the mail operations behind the
    // buttons are the mail's.
    void Button1Click();
    void del_mailClick();
    void gridDblClick();
    void gridKeyDown(int key, Qt::KeyboardModifiers shift);
    void gridSelectCell(int column, int message);
    // The rules: "Delete marked", the editor, and the marks of the table.
    void DeleteMarkedClick() { rules->DeleteMarkedClick(); }
    void RulesClick() { rules->RulesClick(); }
    void MarkRows() { rules->MarkRows(); }
    std::vector<int> MarkedMessages() const { return rules->MarkedMessages(); }
    const TMailRules& Rules() const { return rules->Rules(); }

    TAccounts& Accounts() { return *accounts; }
    TMessageGrid& Grid() { return *grid; }
    TAccountTree& Tree() { return *tree; }
    THeaders* Headers() const { return headers; }
    TStatus* Status() const { return status; }
    TMailOperations& Mail() { return *mail; }
    TPreviewPane& Preview() { return preview->Pane(); }
    TMailPreview& PreviewReader() { return preview->Reader(); }

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void CreateWidgets();
    void BindHandlers();
    void LoadAccounts();
    void ApplyDesktop() { onDesktop->ApplyDesktop(); }
    void StopPreview() {
        if (preview) preview->Stop(); // not while the window is being made or taken down
    }

    std::unique_ptr<TAccounts> accounts;
    std::unique_ptr<TMailOperations> mail; // after the accounts, which it uses
    TToolbarPanel* Panel3 = nullptr;
    TBodyPanels* body = nullptr;
    TAccountTree* tree = nullptr;
    TMessageGrid* grid = nullptr;
    std::unique_ptr<TWindowPreview> preview; // after the mail, whose flags it reads
    std::unique_ptr<TWindowRules> rules;
    std::unique_ptr<TWindowLayout> sizes;
    std::unique_ptr<TWindowMenus> menus;
    std::unique_ptr<TDesktopNotifier> desktopNotifier;
    TNewMailNotifier* notifier = nullptr;      // the desktop's, or a test's
    std::unique_ptr<TWindowDesktop> onDesktop; // after the notifier it sets
    bool quitting = false;                     // the tray's Quit: the window closes for good
    THeaders* headers = nullptr;
    TStatus* status = nullptr;
    TSecretStore* keyring = nullptr;
    TBrowser* browser = nullptr; // the desktop's when none was given
};
