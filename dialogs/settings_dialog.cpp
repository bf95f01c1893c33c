#include "dialogs/settings_dialog.h"

#include "widgets/text_bytes.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
// Fewer minutes would load a server for little gain; more do not fit a day.
constexpr int LeastMinutes = 2;
constexpr int MostMinutes = 24 * 60;
constexpr int ProposedMinutes = 10;

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

    auto* checking = new QGroupBox(tr("Checking"));
    auto* checkingLayout = new QVBoxLayout(checking);
    auto* every = new QHBoxLayout;
    periodic = new QCheckBox(tr("Check every account in the background every"));
    periodic->setObjectName("periodic");
    periodic->setChecked(choice.CheckMinutes > 0);
    minutes = new QSpinBox;
    minutes->setObjectName("minutes");
    minutes->setRange(LeastMinutes, MostMinutes);
    minutes->setSuffix(tr(" minutes"));
    minutes->setValue(choice.CheckMinutes > 0 ? choice.CheckMinutes : ProposedMinutes);
    minutes->setEnabled(periodic->isChecked());
    connect(periodic, &QCheckBox::toggled, minutes, &QWidget::setEnabled);
    every->addWidget(periodic);
    every->addWidget(minutes);
    every->addStretch();
    checkingLayout->addLayout(every);
    checkingLayout->addWidget(
        new QLabel(tr("Accounts that Check All and the periodic check take:")));
    accounts = new QListWidget;
    accounts->setObjectName("accounts");
    for (const auto& [name, included] : choice.Accounts) {
        auto* item = new QListWidgetItem(ToQString(name), accounts);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(included ? Qt::Checked : Qt::Unchecked);
    }
    checkingLayout->addWidget(accounts);
    layout->addWidget(checking);

    auto* desktop = new QGroupBox(tr("Desktop"));
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
    layout->addWidget(desktop);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->setObjectName("buttons");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

TSettingsChoice TSettingsDialog::Choice() const {
    TSettingsChoice choice;
    choice.CheckMinutes = periodic->isChecked() ? minutes->value() : 0;
    choice.CloseToTray = closeToTray->isChecked();
    choice.ShowNotices = notices->isChecked();
    choice.PlaySound = sound->isChecked();
    choice.StartAtLogin = atLogin->isChecked();
    choice.StartInTray = inTray->isChecked();
    for (int i = 0; i < accounts->count(); ++i) {
        const QListWidgetItem* item = accounts->item(i);
        choice.Accounts.emplace_back(ToBytes(item->text()), item->checkState() == Qt::Checked);
    }
    return choice;
}

bool TSettingsDialog::Ask(QWidget* parent, TSettingsChoice& choice) {
    TSettingsDialog dialog(choice, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    choice = dialog.Choice();
    return true;
}
