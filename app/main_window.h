#pragma once
#include "app/desktop_settings.h"
#include "app/settings_file.h"
#include "mail/mail_parts.h"
#include "mail/mail_view.h"

#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

class QAction;
class QMenu;
class QTreeWidgetItem;
class TAccounts;
class TAccountTree;
class TBodyPanels;
class TCheckRound;
class TCheckSchedule;
class TDesktopNotifier;
class TMailWatch;
class TNewMailNotifier;
class THeaders;
class TMailCheck;
class TMessageGrid;
class TPop3Client;
class TStatus;
class TToolbarPanel;

// The main window: toolbar, account tree, divider and message table. It owns the account list
// and the POP3 component. The tree and table work lives in their own classes, the settings
// file in settings_file.cpp; this class binds them together, and is the view of the check and
// the deletion.
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

    // New mail: the watch that marks it, the periodic check's clock, and where the desktop hears
    // of it (the desktop's tray and notices unless a test gives another).
    TMailWatch& Watch() { return *watch; }
    TCheckSchedule& Schedule() { return *schedule; }
    void UseNotifier(TNewMailNotifier& notifier);
    const TDesktopSettings& Desktop() const { return desktop; }
    // Shows the window from the tray, and ends the program from there.
    void ShowFromTray();
    void QuitFromTray();

    // Handlers.
    void FormCreate();
    void FormCloseQuery();
    void FormClose();
    void treeChange(QTreeWidgetItem* node);
    void add_accClick();
    void del_accClick();
    void ModifyAccount1Click();
    void smallpanelMouseMove(Qt::MouseButtons shift, int x, int y);

    // Mail check, deletion and header viewer (main_window_mail.cpp).
    void Button1Click();
    void CheckAllClick();
    // The periodic check's tick: a round in the background, unless the user is busy.
    void PeriodicTick();
    bool RoundRunning() const;
    void del_mailClick();
    void gridDblClick();
    void gridKeyDown(int key, Qt::KeyboardModifiers shift);
    void gridSelectCell(int column, int message);
    void popConnect(QObject* sender);
    void popConnectionFailed(QObject* sender);
    void popInvalidHost(bool& handled);
    void popAuthenticationFailed(bool& handled);
    void popFailure(QObject* sender);
    void popList(int32_t msg, int32_t size);
    void popDisconnect(QObject* sender);

    TAccounts& Accounts() { return *accounts; }
    TPop3Client& Pop() { return *pop; }
    TMessageGrid& Grid() { return *grid; }
    TAccountTree& Tree() { return *tree; }
    THeaders* Headers() const { return headers; }
    TStatus* Status() const { return status; }
    // The check exists once the status dialog is attached.
    TMailCheck& Check() { return *mailCheck; }
    // Shared with the check, its worker and the deletion.
    TMailFlags& Flags() { return flags; }

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void CreateWidgets();
    void CreateMenus();
    void CreatePop();
    void BindHandlers();
    // The settings as the file gives them, fitted to the screens first.
    void ApplySettings(const TWindowSettings& wanted);
    TWindowSettings CurrentSettings() const;
    void LoadAccounts();
    void FitDesignedWidths(const TWindowSettings& read);
    void BindShortcuts();
    void CreateWatch();
    TMailParts MailParts();

    std::unique_ptr<TAccounts> accounts;
    TMailFlags flags;
    std::unique_ptr<TMailCheck> mailCheck;
    TPop3Client* pop = nullptr;
    TToolbarPanel* Panel3 = nullptr;
    TBodyPanels* body = nullptr;
    TAccountTree* tree = nullptr;
    TMessageGrid* grid = nullptr;
    QMenu* Popup = nullptr;
    QAction* AddAccount1 = nullptr;
    QAction* RemoveAccount1 = nullptr;
    QAction* ModifyAccount1 = nullptr;
    QMenu* popup2 = nullptr;
    QAction* Delete1 = nullptr;
    QAction* CheckKey = nullptr;   // the Check button's shortcut
    QAction* HeadersKey = nullptr; // the Headers button's shortcut
    QAction* CheckAll1 = nullptr;
    std::unique_ptr<TDesktopNotifier> desktopNotifier;
    TNewMailNotifier* notifier = nullptr; // the desktop's, or a test's
    std::unique_ptr<TMailWatch> watch;
    std::unique_ptr<TCheckRound> round;
    TCheckSchedule* schedule = nullptr;
    TDesktopSettings desktop;
    bool quitting = false; // the tray's Quit: the window closes for good
    THeaders* headers = nullptr;
    TStatus* status = nullptr;
    bool startMaximized = false;
    bool checkAfterRound = false; // Check was pressed while a round ran
};
