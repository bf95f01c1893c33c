#include "dialogs/settings_dialog.h"

#include "widgets/text_bytes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
// Fewer minutes would load a server for little gain; more do not fit a day.
constexpr int LeastMinutes = 2;
constexpr int MostMinutes = 24 * 60;
constexpr int ProposedMinutes = 10;
constexpr int MostPreviewLines = 1000;
// An account's own interval, in its item: minutes, 0 for none, AsGlobal for the global one.
constexpr int IntervalRole = Qt::UserRole;
constexpr int AsGlobal = -1;
enum IntervalChoice { GlobalInterval, NoInterval, OwnInterval };

QSpinBox* MinutesBox(const char* name) {
    auto* box = new QSpinBox;
    box->setObjectName(name);
    box->setRange(LeastMinutes, MostMinutes);
    box->setSuffix(QCoreApplication::translate("TSettingsDialog", " minutes"));
    return box;
}

QCheckBox* AddBox(QLayout* layout, const QString& text, const char* name, bool checked) {
    auto* box = new QCheckBox(text);
    box->setObjectName(name);
    box->setChecked(checked);
    layout->addWidget(box);
    return box;
}
} // namespace

TSettingsDialog::TSettingsDialog(const TSettingsChoice& choice, QWidget* parent) : QDialog(parent) {
    setObjectName("Settings");
    setWindowTitle(tr("Settings"));
    auto* layout = new QVBoxLayout(this);

    // Pages rather than one long column: the window fits a small screen at a large scale.
    auto* pages = new QTabWidget;
    pages->setObjectName("pages");
    auto* checking = new QWidget;
    auto* checkingLayout = new QVBoxLayout(checking);
    auto* every = new QHBoxLayout;
    periodic = new QCheckBox(tr("Check every account in the background every"));
    periodic->setObjectName("periodic");
    periodic->setChecked(choice.CheckMinutes > 0);
    minutes = MinutesBox("minutes");
    minutes->setAccessibleName(tr("Minutes between checks"));
    minutes->setValue(choice.CheckMinutes > 0 ? choice.CheckMinutes : ProposedMinutes);
    minutes->setEnabled(periodic->isChecked());
    connect(periodic, &QCheckBox::toggled, minutes, &QWidget::setEnabled);
    every->addWidget(periodic);
    every->addWidget(minutes);
    every->addStretch();
    checkingLayout->addLayout(every);
    AddAccounts(checkingLayout, choice);
    pages->addTab(checking, tr("Checking"));

    auto* previewing = new QWidget;
    auto* previewLayout = new QFormLayout(previewing);
    previewLines = new QSpinBox;
    previewLines->setObjectName("previewLines");
    previewLines->setRange(1, MostPreviewLines);
    previewLines->setValue(choice.PreviewLines);
    previewLayout->addRow(tr("Lines of each message:"), previewLines);
    previewWhileChecking = new QCheckBox(tr("Preview while checking"));
    previewWhileChecking->setObjectName("previewWhileChecking");
    previewWhileChecking->setToolTip(
        tr("Each check reads these lines of every message with its header"));
    previewWhileChecking->setChecked(choice.PreviewWhileChecking);
    previewLayout->addRow(previewWhileChecking);
    pages->addTab(previewing, tr("Preview"));

    auto* desktop = new QWidget;
    auto* desktopLayout = new QVBoxLayout(desktop);
    closeToTray = AddBox(desktopLayout, tr("Keep running in the tray when the window is closed"),
                         "closeToTray", choice.CloseToTray);
    notices = AddBox(desktopLayout, tr("Show a notice of new mail"), "notices", choice.ShowNotices);
    sound = AddBox(desktopLayout, tr("Play a sound with the notice"), "sound", choice.PlaySound);
    sound->setEnabled(notices->isChecked());
    connect(notices, &QCheckBox::toggled, sound, &QWidget::setEnabled);
    atLogin = AddBox(desktopLayout, tr("Start at log-in"), "atLogin", choice.StartAtLogin);
    inTray = AddBox(desktopLayout, tr("Start in the tray"), "inTray", choice.StartInTray);
    inTray->setEnabled(atLogin->isChecked());
    connect(atLogin, &QCheckBox::toggled, inTray, &QWidget::setEnabled);
    desktopLayout->addStretch();
    pages->addTab(desktop, tr("Desktop"));
    layout->addWidget(pages);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->setObjectName("buttons");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void TSettingsDialog::AddAccounts(QVBoxLayout* layout, const TSettingsChoice& choice) {
    layout->addWidget(new QLabel(tr("Accounts that Check All and the periodic check take:")));
    accounts = new QListWidget;
    accounts->setObjectName("accounts");
    accounts->setAccessibleName(tr("Accounts in rounds"));
    for (const TSettingsChoice::TAccount& account : choice.Accounts) {
        auto* item = new QListWidgetItem(ToQString(account.Name), accounts);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(account.InRounds ? Qt::Checked : Qt::Unchecked);
        item->setData(IntervalRole, account.Minutes.value_or(AsGlobal));
    }
    layout->addWidget(accounts);
    auto* own = new QHBoxLayout;
    auto* label = new QLabel(tr("Selected account:"));
    ownInterval = new QComboBox;
    ownInterval->setObjectName("ownInterval");
    ownInterval->addItems({tr("As set above"), tr("Never"), tr("Every")});
    ownInterval->setToolTip(tr("How often the periodic check takes the account selected above"));
    label->setBuddy(ownInterval);
    ownMinutes = MinutesBox("ownMinutes");
    ownMinutes->setAccessibleName(tr("Minutes between the account's checks"));
    own->addWidget(label);
    own->addWidget(ownInterval);
    own->addWidget(ownMinutes);
    own->addStretch();
    layout->addLayout(own);
    connect(accounts, &QListWidget::currentItemChanged, this,
            [this](const QListWidgetItem* item) { ShowInterval(item); });
    connect(ownInterval, &QComboBox::currentIndexChanged, this, [this] { KeepInterval(); });
    connect(ownMinutes, &QSpinBox::valueChanged, this, [this] { KeepInterval(); });
    if (accounts->count() > 0) accounts->setCurrentRow(0);
    ShowInterval(accounts->currentItem());
}

void TSettingsDialog::ShowInterval(const QListWidgetItem* item) {
    showing = true;
    const int own = item ? item->data(IntervalRole).toInt() : AsGlobal;
    ownInterval->setCurrentIndex(own == AsGlobal ? GlobalInterval
                                 : own == 0      ? NoInterval
                                                 : OwnInterval);
    ownMinutes->setValue(own > 0 ? own : ProposedMinutes);
    ownInterval->setEnabled(item != nullptr);
    ownMinutes->setEnabled(item != nullptr && own > 0);
    showing = false;
}

void TSettingsDialog::KeepInterval() {
    QListWidgetItem* item = accounts->currentItem();
    if (showing || !item) return;
    const int index = ownInterval->currentIndex();
    item->setData(IntervalRole, index == GlobalInterval ? AsGlobal
                                : index == NoInterval   ? 0
                                                        : ownMinutes->value());
    ownMinutes->setEnabled(index == OwnInterval);
}

TSettingsChoice TSettingsDialog::Choice() const {
    TSettingsChoice choice;
    choice.CheckMinutes = periodic->isChecked() ? minutes->value() : 0;
    choice.CloseToTray = closeToTray->isChecked();
    choice.ShowNotices = notices->isChecked();
    choice.PlaySound = sound->isChecked();
    choice.StartAtLogin = atLogin->isChecked();
    choice.StartInTray = inTray->isChecked();
    choice.PreviewLines = previewLines->value();
    choice.PreviewWhileChecking = previewWhileChecking->isChecked();
    for (int i = 0; i < accounts->count(); ++i) {
        const QListWidgetItem* item = accounts->item(i);
        const int own = item->data(IntervalRole).toInt();
        choice.Accounts.push_back({ToBytes(item->text()), item->checkState() == Qt::Checked,
                                   own == AsGlobal ? std::nullopt : std::optional<int>(own)});
    }
    return choice;
}

bool TSettingsDialog::Ask(QWidget* parent, TSettingsChoice& choice) {
    TSettingsDialog dialog(choice, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    choice = dialog.Choice();
    return true;
}
