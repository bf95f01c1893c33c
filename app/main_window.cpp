#include "app/main_window.h"

#include "accounts/account_list.h"
#include "desktop/desktop_notifier.h"
#include "dialogs/header_viewer.h"
#include "dialogs/password_prompt.h"
#include "mail/mail_operations.h"
#include "platform/exception.h"
#include "platform/message_box.h"
#include "platform/translated_text.h"
#include "widgets/account_tree.h"
#include "widgets/body_panels.h"
#include "widgets/looks.h"
#include "widgets/message_grid.h"
#include "widgets/toolbar_panel.h"
#include "widgets/ui_guard.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int DesignedWidth = 640;
constexpr int DesignedHeight = 409;
} // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Form1");
    setWindowTitle("Vellion");
    setWindowIcon(VellionIcon());
    resize(DesignedWidth, DesignedHeight);
    CreateWidgets();
    accounts = std::make_unique<TAccounts>(); // filled by FormCreate; the mail keeps it
    mail = std::make_unique<TMailOperations>(*accounts, *tree, *grid, *this);
    desktopNotifier = std::make_unique<TDesktopNotifier>(VellionIcon());
    onDesktop = std::make_unique<TWindowDesktop>(*this, *accounts, *mail, *desktopNotifier);
    preview =
        std::make_unique<TWindowPreview>(*body, *grid, *accounts, *mail, onDesktop->Settings());
    rules = std::make_unique<TWindowRules>(*this, *grid, *Panel3, *accounts, *mail, *preview);
    sizes = std::make_unique<TWindowLayout>(*this, *body, *tree, *grid, preview->Split());
    menus = std::make_unique<TWindowMenus>(*this, *tree, *grid);
    mail->OnChecked = [this](TAccount& account) {
        if (&account == accounts->Current()) MarkRows();
    };
    UseNotifier(*desktopNotifier);
    BindHandlers();
    RunGuarded([this] { FormCreate(); });
}

// The mail goes first: its workers end while everything they report to is still there.
TForm1::~TForm1() {
    preview.reset();
    mail.reset();
}

void TForm1::CreateWidgets() {
    Panel3 = new TToolbarPanel(this);
    body = new TBodyPanels(this);
    tree = new TAccountTree(body->Panel2());
    body->Panel2()->layout()->addWidget(tree);
    // The tree's column is as wide as its widest label; a narrow tree side scrolls rather than
    // cutting labels off.
    tree->header()->setStretchLastSection(false);
    tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    grid = new TMessageGrid(body->Panel1()); // the preview puts it above its pane
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel3);
    layout->addWidget(body, 1);
}

void TForm1::UseNotifier(TNewMailNotifier& used) {
    notifier = &used;
    used.OnShowWindow = [this] { ShowFromTray(); };
    used.OnQuit = [this] { QuitFromTray(); };
    used.OnOpen = [this](const std::string& account) {
        ShowFromTray();
        if (QTreeWidgetItem* node = tree->AccountNode(account)) tree->setCurrentItem(node);
    };
    used.OnCheckAll = [this] { mail->CheckAllClick(); };
    TMailWatch::TWindow window;
    window.Active = [this] { return isVisible() && isActiveWindow(); };
    window.SetTitle = [this](const std::string& title) {
        setWindowTitle(QString::fromStdString(title));
    };
    mail->UseNotifier(used, window);
    mail->Watch().Ignored = [this](const TAccount& account, size_t line) {
        return rules->Ignored(account, line);
    };
}

void TForm1::ShowFromTray() {
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

bool TForm1::CanStartInTray() const {
    return notifier->HasTray();
}

void TForm1::QuitFromTray() {
    quitting = true;
    close();
}

void TForm1::BindHandlers() {
    auto bind = [this](auto* sender, auto signal, void (TForm1::*handler)()) {
        connect(sender, signal, this,
                [this, handler] { RunGuarded([=, this] { (this->*handler)(); }); });
    };
    using THandler = void (TForm1::*)();
    const std::pair<QToolButton*, THandler> buttons[] = {
        {Panel3->add_acc, &TForm1::add_accClick},
        {Panel3->del_acc, &TForm1::del_accClick},
        {Panel3->check_mail, &TForm1::Button1Click},
        {Panel3->del_mail, &TForm1::del_mailClick},
        {Panel3->HeadBtn, &TForm1::gridDblClick},
        {Panel3->del_marked, &TForm1::DeleteMarkedClick}};
    for (const auto& [button, handler] : buttons)
        bind(button, &QToolButton::clicked, handler);
    const TWindowMenus& m = *menus;
    const std::pair<QAction*, THandler> actions[] = {
        {m.DeleteMarked1, &TForm1::DeleteMarkedClick},
        {m.Rules1, &TForm1::RulesClick},
        {m.AddAccount1, &TForm1::add_accClick},
        {m.RemoveAccount1, &TForm1::del_accClick},
        {m.ModifyAccount1, &TForm1::ModifyAccount1Click},
        {m.Settings1, &TForm1::SettingsClick},
        {m.Delete1, &TForm1::del_mailClick},
        {m.CheckKey, &TForm1::Button1Click},
        {m.HeadersKey, &TForm1::gridDblClick}};
    for (const auto& [action, handler] : actions)
        bind(action, &QAction::triggered, handler);
    connect(m.QuitKey, &QAction::triggered, this, [this] { QuitFromTray(); });
    connect(m.CheckAll1, &QAction::triggered, this,
            [this] { RunGuarded([this] { mail->CheckAllClick(); }); });
    menus->BindShortcuts(*this, *Panel3);
    connect(tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* node) { RunGuarded([&] { treeChange(node); }); });
    connect(tree, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { menus->Popup->popup(tree->viewport()->mapToGlobal(at)); });
    connect(grid, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { menus->popup2->popup(grid->viewport()->mapToGlobal(at)); });
    tree->OnDblClick = [this] { ModifyAccount1Click(); };
    grid->OnDblClick = [this] { gridDblClick(); };
    grid->OnKeyDown = [this](int key, Qt::KeyboardModifiers shift) { gridKeyDown(key, shift); };
    grid->OnSelectCell = [this](int column, int row) { gridSelectCell(column, row); };
    body->Divider()->OnMouseMove = [this](Qt::MouseButtons shift, int x, int y) {
        smallpanelMouseMove(shift, x, y);
    };
}

void TForm1::AttachWindows(THeaders* viewer, TStatus* dialog) {
    headers = viewer;
    headers->addAction(menus->QuitKey); // Ctrl+Q there too, while the window itself is in the tray
    status = dialog;
    mail->AttachStatus(*status);
}

void TForm1::FormCreate() {
    mail->Flags().LoggedIn = true;
    const TWindowSettings read = sizes->ApplyFile();
    grid->SetHeadings();
    rules->LoadMailRules();
    LoadAccounts();
    sizes->FitDesignedWidths(read);
    if (tree->topLevelItemCount() > 0) tree->setCurrentItem(tree->topLevelItem(0));
    onDesktop->ReadDesktop();
}

// A failed load still shows the accounts read so far; the list keeps the unreadable file.
void TForm1::LoadAccounts() {
    try {
        accounts->LoadFromFile();
    } catch (const std::exception& failure) {
        ShowError(failure.what());
    }
    tree->Fill(*accounts);
}

void TForm1::FormCloseQuery() {
    // No round goes on to another account once the window has closed.
    mail->StopRounds();
    if (!accounts->SaveToFile())
        ShowMessage(Translated("TForm1", "Error saving account information"));
    mail->EndSession();
}

void TForm1::FormClose() {
    if (!WriteWindowSettings(sizes->CurrentSettings()))
        ShowMessage(Translated("TForm1", "Error saving window settings"));
}

// The close is always granted, whatever fails on the way; with close_to_tray set and a tray to
// go to, the window only hides and the checks in the background go on.
void TForm1::closeEvent(QCloseEvent* event) {
    if (Desktop().CloseToTray && !quitting && notifier->HasTray()) {
        hide();
        event->ignore();
        return;
    }
    RunGuarded([this] { FormCloseQuery(); });
    event->accept();
    RunGuarded([this] { FormClose(); });
    emit closed();
}

void TForm1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (mail && event->type() == QEvent::ActivationChange && isActiveWindow())
        RunGuarded([this] { mail->Watch().Viewed(); });
}

void TForm1::SetRefreshed(const std::string& text) {
    Panel3->refreshed->setText(QString::fromLatin1(text));
    Panel3->refreshed->adjustSize();
    Panel3->Arrange(); // a longer time may not fit beside the buttons
}

void TForm1::SetWindowEnabled(bool enabled) {
    Panel3->setEnabled(enabled);
    body->setEnabled(enabled);
    for (QAction* action : actions())
        action->setEnabled(enabled);
}

bool TForm1::WindowEnabled() const {
    return Panel3->isEnabled() && body->isEnabled();
}

bool TForm1::AskPassword(std::string& password, bool lastRejected) {
    const TAccount* account = accounts->Current();
    if (!account) return Tpassword::Ask(this, password, lastRejected);
    return Tpassword::Ask(this, password, lastRejected,
                          {account->Name, account->User, account->Server});
}

void TForm1::AbandonRunningCheck() {
    mail->AbandonRunningCheck();
}

void TForm1::ClearTable() {
    StopPreview();
    grid->ClearTable();
}
