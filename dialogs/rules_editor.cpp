#include "dialogs/rules_editor.h"

#include "widgets/looks.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char* const FieldWords[] = {
    QT_TRANSLATE_NOOP("TRulesEditor", "sender"), QT_TRANSLATE_NOOP("TRulesEditor", "subject"),
    QT_TRANSLATE_NOOP("TRulesEditor", "any header"), QT_TRANSLATE_NOOP("TRulesEditor", "size")};
const char* const TestWords[] = {QT_TRANSLATE_NOOP("TRulesEditor", "contains"),
                                 QT_TRANSLATE_NOOP("TRulesEditor", "matches"),
                                 QT_TRANSLATE_NOOP("TRulesEditor", "is above")};
const char* const ActionWords[] = {"", QT_TRANSLATE_NOOP("TRulesEditor", "mark for deletion"),
                                   QT_TRANSLATE_NOOP("TRulesEditor", "highlight"),
                                   QT_TRANSLATE_NOOP("TRulesEditor", "ignore")};

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QComboBox* Choices(QWidget* parent, const char* name, const QStringList& items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    return box;
}

std::vector<std::string> Lines(const QPlainTextEdit& edit) {
    std::vector<std::string> lines;
    for (const QString& line : edit.toPlainText().split('\n', Qt::SkipEmptyParts))
        if (!line.trimmed().isEmpty()) lines.push_back(line.trimmed().toStdString());
    return lines;
}

QString Joined(const std::vector<std::string>& lines) {
    QStringList all;
    for (const std::string& line : lines)
        all << Utf8(line);
    return all.join('\n');
}
} // namespace

TRulesEditor::TRulesEditor(const TMailRules& given, const std::vector<std::string>& accounts,
                           QWidget* parent)
    : QDialog(parent), rules(given), list(new QListWidget(this)),
      account(Choices(this, "ruleAccount", {tr("Every account")})),
      field(Choices(this, "ruleField",
                    {tr("Sender"), tr("Subject"), tr("Any header"), tr("Size (bytes)")})),
      test(Choices(this, "ruleTest", {tr("contains"), tr("matches (pattern)"), tr("is above")})),
      value(new QLineEdit(this)),
      action(Choices(this, "ruleAction", {tr("Mark for deletion"), tr("Highlight"), tr("Ignore")})),
      problem(new QLabel(this)), allowed(new QPlainTextEdit(this)),
      blocked(new QPlainTextEdit(this)) {
    setObjectName("RulesEditor");
    setWindowTitle(tr("Mail Rules"));
    setWindowIcon(VellionIcon());
    list->setObjectName("ruleList");
    list->setAccessibleName(tr("Rules, tried in order"));
    for (const std::string& name : accounts)
        account->addItem(Utf8(name));
    value->setObjectName("ruleValue");
    value->setPlaceholderText(tr("text, pattern or bytes"));
    problem->setObjectName("ruleProblem");
    problem->setWordWrap(true);
    allowed->setObjectName("allowList");
    blocked->setObjectName("blockList");
    allowed->setPlainText(Joined(rules.Allowed));
    blocked->setPlainText(Joined(rules.Blocked));
    allowed->setToolTip(tr("Mail from these addresses or domains is never marked, one a line"));
    blocked->setToolTip(
        tr("Mail from these addresses or domains is marked for deletion, one a line"));

    auto* add = new QPushButton(tr("&Add"), this);
    add->setObjectName("addRule");
    auto* remove = new QPushButton(tr("&Remove"), this);
    remove->setObjectName("removeRule");
    auto* up = new QPushButton(tr("&Up"), this);
    up->setObjectName("ruleUp");
    auto* down = new QPushButton(tr("&Down"), this);
    down->setObjectName("ruleDown");
    connect(add, &QPushButton::clicked, this, [this] { AddRule(); });
    connect(remove, &QPushButton::clicked, this, [this] { RemoveRule(); });
    connect(up, &QPushButton::clicked, this, [this] { MoveRule(-1); });
    connect(down, &QPushButton::clicked, this, [this] { MoveRule(1); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* moves = new QVBoxLayout;
    for (QPushButton* button : {remove, up, down})
        moves->addWidget(button);
    moves->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(list, 1);
    top->addLayout(moves);
    auto* rule = new QHBoxLayout;
    rule->addWidget(new QLabel(tr("If"), this));
    for (QWidget* part : std::initializer_list<QWidget*>{account, field, test, value})
        rule->addWidget(part, part == value ? 1 : 0);
    rule->addWidget(new QLabel(tr("then"), this));
    rule->addWidget(action);
    rule->addWidget(add);
    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel(tr("Allow list (never marked):"), this), 0, 0);
    lists->addWidget(new QLabel(tr("Block list (marked for deletion):"), this), 0, 1);
    lists->addWidget(allowed, 1, 0);
    lists->addWidget(blocked, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 2);
    layout->addLayout(rule);
    layout->addWidget(problem);
    layout->addLayout(lists, 1);
    layout->addWidget(buttons);
    resize(640, 420);
    ShowRules(0);
}

std::string TRulesEditor::RuleText(const TMailRule& rule) {
    const QString whose =
        rule.Account.empty() ? tr("Every account") : tr("Account %1").arg(Utf8(rule.Account));
    QString text = tr("%1: if %2 %3 \"%4\" then %5")
                       .arg(whose, tr(FieldWords[static_cast<int>(rule.Field)]),
                            tr(TestWords[static_cast<int>(rule.Test)]), Utf8(rule.Value),
                            tr(ActionWords[static_cast<int>(rule.Action)]));
    if (!RuleWorks(rule)) text += tr(" (never applies)");
    return text.toStdString();
}

TMailRules TRulesEditor::Rules() const {
    TMailRules edited = rules;
    edited.Allowed = Lines(*allowed);
    edited.Blocked = Lines(*blocked);
    return edited;
}

bool TRulesEditor::AddRule() {
    TMailRule rule;
    if (account->currentIndex() > 0) rule.Account = account->currentText().toStdString();
    rule.Field = static_cast<TRuleField>(field->currentIndex());
    rule.Test = static_cast<TRuleTest>(test->currentIndex());
    rule.Value = value->text().toStdString();
    rule.Action = static_cast<TRuleAction>(action->currentIndex() + 1);
    if (!RuleWorks(rule)) {
        problem->setText(rule.Field == TRuleField::Size || rule.Test == TRuleTest::Above
                             ? tr("A size rule needs \"Size\", \"is above\" and a number of bytes.")
                             : tr("This rule could never apply: give a text, or a valid pattern."));
        return false;
    }
    problem->clear();
    rules.Rules.push_back(rule);
    value->clear();
    ShowRules(static_cast<int>(rules.Rules.size()) - 1);
    return true;
}

void TRulesEditor::RemoveRule() {
    const int row = list->currentRow();
    if (row < 0 || row >= static_cast<int>(rules.Rules.size())) return;
    rules.Rules.erase(rules.Rules.begin() + row);
    ShowRules(std::min(row, static_cast<int>(rules.Rules.size()) - 1));
}

void TRulesEditor::MoveRule(int by) {
    const int row = list->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= static_cast<int>(rules.Rules.size())) return;
    std::swap(rules.Rules[static_cast<size_t>(row)], rules.Rules[static_cast<size_t>(to)]);
    ShowRules(to);
}

void TRulesEditor::ShowRules(int select) {
    list->clear();
    for (const TMailRule& rule : rules.Rules)
        list->addItem(Utf8(RuleText(rule)));
    if (select >= 0 && select < list->count()) list->setCurrentRow(select);
}
