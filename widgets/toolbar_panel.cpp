#include "widgets/toolbar_panel.h"

#include "widgets/looks.h"

#include <QCoreApplication>
#include <QLabel>
#include <QToolButton>
#include <algorithm>

namespace {
// The texts below are marked for translation and shown through this.
QString Translated(const char* text) {
    return QCoreApplication::translate("TToolbarPanel", text);
}

// Between the controls when the bar is narrower than designed.
constexpr int TightGap = 4;

struct TButtonDesign {
    const char* Name;
    int X;
    const char* Caption;
    const char* Hint; // nullptr: none
    const char* ThemeGlyph;
    QStyle::StandardPixmap FallbackGlyph;
};

QToolButton* AddButton(QWidget* parent, const TButtonDesign& design) {
    auto* button = new QToolButton(parent);
    button->setObjectName(design.Name);
    button->setGeometry(design.X, 4, 75, 40);
    button->setText(Translated(design.Caption));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(QSize(20, 20));
    const bool twoState = design.Hint != nullptr; // the Headers button has one glyph, no hint
    button->setIcon(ButtonGlyph(*parent, design.ThemeGlyph, design.FallbackGlyph, twoState));
    if (design.Hint) button->setToolTip(Translated(design.Hint));
    return button;
}

QLabel* AddLabel(QWidget* parent, const char* name, const char* text, int x) {
    auto* label = new QLabel(Translated(text), parent);
    label->setObjectName(name);
    label->move(x, 16);
    label->adjustSize();
    return label;
}
} // namespace

TToolbarPanel::TToolbarPanel(QWidget* parent)
    : QFrame(parent),
      add_acc(AddButton(this, {"add_acc", 4, QT_TRANSLATE_NOOP("TToolbarPanel", "Account"),
                               QT_TRANSLATE_NOOP("TToolbarPanel", "Add a new account"), "list-add",
                               QStyle::SP_FileDialogNewFolder})),
      del_acc(AddButton(this, {"del_acc", 84, QT_TRANSLATE_NOOP("TToolbarPanel", "Account"),
                               QT_TRANSLATE_NOOP("TToolbarPanel", "Delete selected account"),
                               "list-remove", QStyle::SP_DialogDiscardButton})),
      check_mail(AddButton(this, {"check_mail", 204, QT_TRANSLATE_NOOP("TToolbarPanel", "Check"),
                                  QT_TRANSLATE_NOOP("TToolbarPanel", "Check e-mail"),
                                  "mail-send-receive", QStyle::SP_BrowserReload})),
      del_mail(
          AddButton(this, {"del_mail", 284, QT_TRANSLATE_NOOP("TToolbarPanel", "Mail"),
                           QT_TRANSLATE_NOOP("TToolbarPanel", "Remove selected e-mail from server"),
                           "edit-delete", QStyle::SP_TrashIcon})),
      HeadBtn(AddButton(this, {"HeadBtn", 364, QT_TRANSLATE_NOOP("TToolbarPanel", "Headers"),
                               nullptr, "document-properties", QStyle::SP_FileDialogDetailedView})),
      del_marked(
          AddButton(this, {"del_marked", 444, QT_TRANSLATE_NOOP("TToolbarPanel", "Marked"),
                           QT_TRANSLATE_NOOP("TToolbarPanel", "Delete the mail marked by rules"),
                           "mail-mark-junk", QStyle::SP_MessageBoxWarning})),
      Label1(AddLabel(this, "Label1", QT_TRANSLATE_NOOP("TToolbarPanel", "Last refresh : "), 536)),
      refreshed(AddLabel(this, "refreshed", QT_TRANSLATE_NOOP("TToolbarPanel", "(none)"), 600)) {
    setObjectName("Panel3");
    // Two buttons share the caption "Account"; what they do tells them apart.
    add_acc->setAccessibleName(tr("Add account"));
    del_acc->setAccessibleName(tr("Delete account"));
    check_mail->setAccessibleName(tr("Check mail"));
    del_mail->setAccessibleName(tr("Delete mail"));
    HeadBtn->setAccessibleName(tr("Show headers"));
    setFrameShape(QFrame::StyledPanel);
    // The designed place of the time is too close for wider fonts; keep a small gap then.
    refreshed->move(std::max(refreshed->x(), Label1->geometry().right() + 5), refreshed->y());
    refreshed->setMinimumWidth(100);
    // A wider or taller font pushes the labels along and makes the bar taller, never less than
    // designed.
    designedWidth = FitToText(*this, {}).width();
    designedHeight = std::max(49, HeadBtn->geometry().bottom() + 1 + HeadBtn->y());
    for (const QToolButton* button : Buttons())
        designed.push_back(button->geometry());
    designedLabel = Label1->pos();
    designedTime = refreshed->pos();
    setFixedHeight(designedHeight);
}

std::vector<QToolButton*> TToolbarPanel::Buttons() const {
    return {add_acc, del_acc, check_mail, del_mail, HeadBtn, del_marked};
}

void TToolbarPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    Arrange();
}

void TToolbarPanel::Arrange() {
    if (designed.empty()) return; // still being made
    const std::vector<QToolButton*> buttons = Buttons();
    const bool roomy = width() >= designedWidth;
    int x = designed.front().x();
    for (size_t i = 0; i < buttons.size(); ++i) {
        QRect place = designed[i];
        if (!roomy) {
            place.moveLeft(x);
            place.setWidth(buttons[i]->sizeHint().width());
        }
        buttons[i]->setGeometry(place);
        x = place.right() + 1 + TightGap;
    }
    int height = designedHeight;
    if (roomy) {
        Label1->move(designedLabel);
        refreshed->move(designedTime);
    } else {
        QPoint at(x + TightGap, designedLabel.y());
        if (at.x() + Label1->width() + TightGap + refreshed->width() > width()) {
            // Beneath the buttons, from the left edge.
            at = {designed.front().x(), designed.front().bottom() + 1};
            height = at.y() + Label1->height() + TightGap;
        }
        Label1->move(at);
        refreshed->move(Label1->geometry().right() + 1 + TightGap, at.y());
    }
    if (maximumHeight() != height) setFixedHeight(height);
}

void TToolbarPanel::ShowMarked(int count) {
    del_marked->setText(count == 0 ? tr("Marked") : tr("Marked (%1)").arg(count));
    del_marked->setAccessibleDescription(tr("%n marked for deletion", nullptr, count));
    Arrange();
}
