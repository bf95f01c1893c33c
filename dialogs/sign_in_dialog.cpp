#include "dialogs/sign_in_dialog.h"

#include "signin/token_client.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TSignInDialog::TSignInDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Sign in"));
    setModal(true);
    text = new QLabel(tr("Sign in with your provider in the browser window that opened.\n"
                         "This window closes when the provider has answered."),
                      this);
    text->setObjectName("sign_in_text");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("sign_in_cancel");
    connect(buttons, &QDialogButtonBox::rejected, this, &TSignInDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
}

TBrowserSignIn TSignInDialog::Run(const TOAuthProvider& provider, TBrowser& browser,
                                  const std::string& loginHint, int timeoutMs) {
    cancel = false;
    show();
    TTokenClient tokens;
    TBrowserSignIn result =
        SignInWithBrowser(provider, browser, tokens, loginHint, timeoutMs, &cancel);
    hide();
    return result;
}

// Escape, the Cancel button and the window's close end the wait the same way.
void TSignInDialog::reject() {
    cancel = true;
    QDialog::reject();
}
