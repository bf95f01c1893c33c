#pragma once
#include "signin/browser_sign_in.h"

#include <QDialog>
#include <atomic>

class QLabel;

// The wait while the user signs in with the provider in the browser: a line of what is going
// on and Cancel, which ends the wait at once.
class TSignInDialog : public QDialog {
    Q_OBJECT
public:
    explicit TSignInDialog(QWidget* parent = nullptr);
    // Opens the provider's page in the browser and waits for the answer, at most timeoutMs.
    TBrowserSignIn Run(const TOAuthProvider& provider, TBrowser& browser,
                       const std::string& loginHint, int timeoutMs = 300000);

public slots:
    void reject() override;

private:
    QLabel* text = nullptr;
    std::atomic<bool> cancel{false};
};
