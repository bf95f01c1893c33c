#include "app/main_window.h"

#include "accounts/account_list.h"
#include "app/window_placement.h"
#include "desktop/desktop_notifier.h"
#include "dialogs/header_viewer.h"
#include "dialogs/password_prompt.h"
#include "mail/check_schedule.h"
#include "mail/mail_operations.h"
#include "platform/exception.h"
#include "platform/message_box.h"
#include "platform/translated_text.h"
#include "preview/mail_preview.h"
#include "widgets/account_tree.h"
#include "widgets/body_panels.h"
#include "widgets/divider.h"
#include "widgets/glyphs.h"
#include "widgets/message_grid.h"
#include "widgets/toolbar_panel.h"
#include "widgets/ui_guard.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int DesignedWidth = 640;
constexpr int DesignedHeight = 409;
constexpr int Unset = -1; // no width in "tarsel.ini"; it never gives a negative one
} // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Form1");
    setWindowTitle("Vellion");
    setWindowIcon(VellionIcon());
    resize(DesignedWidth, DesignedHeight);
    CreateWidgets();
    CreateMenus();
    accounts = std::make_unique<TAccounts>(); // filled by FormCreate; the mail keeps it
    mail = std::make_unique<TMailOperations>(*accounts, *tree, *grid, *this);
    mail->OnChecked = [this](TAccount& account) {
        if (&account == accounts->Current()) MarkRows();
    };
    desktopNotifier = std::make_unique<TDesktopNotifier>(VellionIcon());
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
    grid = new TMessageGrid(body->Panel1());
    CreatePreview();
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
        return line < account.Headers.size() && line < account.Rows.size() &&
               Judge(rules, account.Name, account.Headers[line].Lines(),
                     RowBytes(account.Rows[line]))
                       .Action == TRuleAction::Ignore;
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

void TForm1::QuitFromTray() {
    quitting = true;
    close();
}

void TForm1::CreateMenus() {
    Popup = new QMenu(tree);
    Popup->setObjectName("Popup");
    AddAccount1 = Popup->addAction(tr("Add Account"));
    AddAccount1->setObjectName("AddAccount1");
    RemoveAccount1 = Popup->addAction(tr("Remove Account"));
    RemoveAccount1->setObjectName("RemoveAccount1");
    ModifyAccount1 = Popup->addAction(tr("Modify Account"));
    ModifyAccount1->setObjectName("ModifyAccount1");
    Popup->addSeparator();
    CheckAll1 = Popup->addAction(tr("Check All Accounts"));
    CheckAll1->setObjectName("CheckAll1");
    Popup->addSeparator();
    Settings1 = Popup->addAction(tr("Settings..."));
    Settings1->setObjectName("Settings1");
    popup2 = new QMenu(grid);
    popup2->setObjectName("popup2");
    Delete1 = popup2->addAction(tr("Delete"));
    Delete1->setObjectName("Delete1");
    DeleteMarked1 = popup2->addAction(tr("Delete Marked"));
    DeleteMarked1->setObjectName("DeleteMarked1");
    popup2->addSeparator();
    Rules1 = popup2->addAction(tr("Mail Rules..."));
    Rules1->setObjectName("Rules1");
    CheckKey = new QAction(tr("Check"), this);
    CheckKey->setObjectName("CheckKey");
    HeadersKey = new QAction(tr("Headers"), this);
    HeadersKey->setObjectName("HeadersKey");
    QuitKey = new QAction(tr("Quit"), this);
    QuitKey->setObjectName("QuitKey");
}

// Every operation has a key. The Delete key reaches the deletion through the table's own key
// handler (with any modifier); the menu item shows it.
void TForm1::BindShortcuts() {
    AddAccount1->setShortcut(QKeySequence("Ctrl+N"));
    RemoveAccount1->setShortcut(QKeySequence("Ctrl+D"));
    ModifyAccount1->setShortcut(QKeySequence("Ctrl+E"));
    CheckKey->setShortcut(QKeySequence(Qt::Key_F5));
    HeadersKey->setShortcut(QKeySequence("Ctrl+U"));
    CheckAll1->setShortcut(QKeySequence("Shift+F5"));
    Settings1->setShortcut(QKeySequence("Ctrl+,"));
    Delete1->setShortcut(QKeySequence(Qt::Key_Delete));
    DeleteMarked1->setShortcut(QKeySequence("Shift+Del"));
    Rules1->setShortcut(QKeySequence("Ctrl+R"));
    // Quits from every window of the program, also where closing only hides to the tray.
    QuitKey->setShortcut(QKeySequence("Ctrl+Q"));
    QuitKey->setShortcutContext(Qt::ApplicationShortcut);
    addActions({AddAccount1, RemoveAccount1, ModifyAccount1, CheckKey, HeadersKey, CheckAll1,
                Settings1, DeleteMarked1, Rules1, QuitKey});
    const std::pair<QToolButton*, QAction*> keys[] = {
        {Panel3->add_acc, AddAccount1}, {Panel3->del_acc, RemoveAccount1},
        {Panel3->check_mail, CheckKey}, {Panel3->del_mail, Delete1},
        {Panel3->HeadBtn, HeadersKey},  {Panel3->del_marked, DeleteMarked1}};
    for (const auto& [button, action] : keys) {
        const QString hint = button->toolTip().isEmpty() ? button->text() : button->toolTip();
        button->setToolTip(hint + " (" + action->shortcut().toString(QKeySequence::NativeText) +
                           ")");
    }
    Panel3->check_mail->setToolTip(Panel3->check_mail->toolTip() + tr("; every account: ") +
                                   CheckAll1->shortcut().toString(QKeySequence::NativeText));
}

void TForm1::BindHandlers() {
    auto bind = [this](auto* sender, auto signal, void (TForm1::*handler)()) {
        connect(sender, signal, this,
                [this, handler] { RunGuarded([=, this] { (this->*handler)(); }); });
    };
    bind(Panel3->add_acc, &QToolButton::clicked, &TForm1::add_accClick);
    bind(Panel3->del_acc, &QToolButton::clicked, &TForm1::del_accClick);
    bind(Panel3->check_mail, &QToolButton::clicked, &TForm1::Button1Click);
    bind(Panel3->del_mail, &QToolButton::clicked, &TForm1::del_mailClick);
    bind(Panel3->HeadBtn, &QToolButton::clicked, &TForm1::gridDblClick);
    bind(Panel3->del_marked, &QToolButton::clicked, &TForm1::DeleteMarkedClick);
    bind(DeleteMarked1, &QAction::triggered, &TForm1::DeleteMarkedClick);
    bind(Rules1, &QAction::triggered, &TForm1::RulesClick);
    bind(AddAccount1, &QAction::triggered, &TForm1::add_accClick);
    bind(RemoveAccount1, &QAction::triggered, &TForm1::del_accClick);
    bind(ModifyAccount1, &QAction::triggered, &TForm1::ModifyAccount1Click);
    bind(Settings1, &QAction::triggered, &TForm1::SettingsClick);
    bind(Delete1, &QAction::triggered, &TForm1::del_mailClick);
    bind(CheckKey, &QAction::triggered, &TForm1::Button1Click);
    bind(HeadersKey, &QAction::triggered, &TForm1::gridDblClick);
    connect(QuitKey, &QAction::triggered, this, [this] { QuitFromTray(); });
    connect(CheckAll1, &QAction::triggered, this,
            [this] { RunGuarded([this] { mail->CheckAllClick(); }); });
    BindShortcuts();
    connect(tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* node) { RunGuarded([&] { treeChange(node); }); });
    connect(tree, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { Popup->popup(tree->viewport()->mapToGlobal(at)); });
    connect(grid, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { popup2->popup(grid->viewport()->mapToGlobal(at)); });
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
    headers->addAction(QuitKey); // Ctrl+Q there too, while the window itself is in the tray
    status = dialog;
    mail->AttachStatus(*status);
}

void TForm1::FormCreate() {
    mail->Flags().LoggedIn = true;
    // Widths the file does not give read as Unset, so that they can grow to their texts.
    TWindowSettings unset;
    unset.Columns.fill(Unset);
    unset.Panel2 = Unset;
    const TWindowSettings read = ReadWindowSettings(unset);
    TWindowSettings settings = read;
    const TWindowSettings designed;
    for (size_t column = 0; column < settings.Columns.size(); ++column)
        if (read.Columns[column] == Unset) settings.Columns[column] = designed.Columns[column];
    if (read.Panel2 == Unset) settings.Panel2 = designed.Panel2;
    ApplySettings(settings);
    grid->SetHeadings();
    LoadMailRules();
    LoadAccounts();
    FitDesignedWidths(read);
    if (tree->topLevelItemCount() > 0) tree->setCurrentItem(tree->topLevelItem(0));
    desktop = ReadDesktopSettings();
    mail->InRounds = [](const std::string& name) { return InRounds(name); };
    ApplyDesktop();
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

// The designed widths are the least: where the file gives none, a heading or the tree side
// grows to its text and font. Widths the user chose stay as they are.
void TForm1::FitDesignedWidths(const TWindowSettings& read) {
    for (int column = 0; column < TMessageGrid::Columns; ++column)
        if (read.Columns[static_cast<size_t>(column)] == Unset)
            grid->setColumnWidth(column,
                                 std::max(grid->columnWidth(column), grid->LeastWidth(column)));
    // The tree's own sizeHintForColumn is protected; the base class's is the same call.
    const int labels = static_cast<QAbstractItemView*>(tree)->sizeHintForColumn(0);
    if (read.Panel2 == Unset)
        body->SetPanel2Width(std::max(body->Panel2Width(), labels + 2 * tree->frameWidth()));
}

void TForm1::ApplySettings(const TWindowSettings& wanted) {
    const QList<QRect> screens = ScreenAreas();
    const TWindowSettings settings = FitWindowSettings(wanted, size(), screens);
    for (int column = 0; column < TMessageGrid::Columns; ++column)
        grid->setColumnWidth(column, settings.Columns[static_cast<size_t>(column)]);
    if (settings.Size) resize(settings.Size->First, settings.Size->Second);
    if (settings.Position)
        move(PlaceOnScreen(QRect({settings.Position->First, settings.Position->Second}, size()),
                           screens));
    else
        move(CentreOnFirstScreen(size(), screens));
    startMaximized = settings.Maximized;
    body->SetPanel2Width(settings.Panel2);
    grid->SetSort(settings.Sort.First - 1,
                  settings.Sort.Second == 1 ? Qt::DescendingOrder : Qt::AscendingOrder);
    if (settings.PreviewSplit)
        tableSplit->setSizes({settings.PreviewSplit->First, settings.PreviewSplit->Second});
}

TWindowSettings TForm1::CurrentSettings() const {
    TWindowSettings settings;
    for (int column = 0; column < TMessageGrid::Columns; ++column)
        settings.Columns[static_cast<size_t>(column)] = grid->columnWidth(column);
    settings.Position = TWindowSettings::TPair{pos().x(), pos().y()};
    settings.Size = TWindowSettings::TPair{width(), height()};
    settings.Maximized = isMaximized();
    settings.Panel2 = body->Panel2Width();
    settings.Sort = {grid->SortColumn() + 1, grid->SortOrder() == Qt::DescendingOrder ? 1 : 0};
    const QList<int> split = tableSplit->sizes();
    if (split.size() == 2) settings.PreviewSplit = TWindowSettings::TPair{split[0], split[1]};
    return settings;
}

void TForm1::ShowAtStart() {
    if (startMaximized) {
        showMaximized();
        return;
    }
    show();
    // The frame is known once shown: on a small screen it must fit as well as the window.
    const QRect frame = frameGeometry();
    const QRect fitted = FrameInRoom(frame, screen()->availableGeometry());
    if (fitted == frame) return;
    resize(size() - (frame.size() - fitted.size()));
    move(fitted.topLeft());
}

void TForm1::FormCloseQuery() {
    // No round goes on to another account once the window has closed.
    mail->StopRounds();
    if (!accounts->SaveToFile())
        ShowMessage(Translated("TForm1", "Error saving account information"));
    mail->EndSession();
}

void TForm1::FormClose() {
    if (!WriteWindowSettings(CurrentSettings()))
        ShowMessage(Translated("TForm1", "Error saving window settings"));
}

// The close is always granted, whatever fails on the way; with close_to_tray set and a tray to
// go to, the window only hides and the checks in the background go on.
void TForm1::closeEvent(QCloseEvent* event) {
    if (desktop.CloseToTray && !quitting && notifier->HasTray()) {
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
