#pragma once
#include <QDialog>
#include <string>

class QLineEdit;

// Asks for the password of the current account when a check starts without one. OK gives the
// Accepted result; Cancel, Escape and the window frame give Rejected.
class Tpassword : public QDialog {
    Q_OBJECT
public:
    explicit Tpassword(QWidget* parent = nullptr);

    // Says above the entry that the server rejected the password typed last time.
    void ShowRejected();
    // Says above the entry whose password it asks for (8-bit texts).
    void ShowWhom(const std::string& account, const std::string& user, const std::string& server);
    struct TWhom {
        std::string Account;
        std::string User;
        std::string Server;
    };

    // The text of the entry, as 8-bit text.
    std::string Password() const;

    // Shows a new prompt modally with an empty entry. True, with the typed text (which may be
    // empty) in password, when it was closed with OK; otherwise password is left alone.
    static bool Ask(QWidget* parent, std::string& password, bool lastRejected = false,
                    const TWhom& whom = {});

protected:
    void showEvent(QShowEvent* event) override;

private:
    void AddLineAbove(const char* name, const QString& text);

    QLineEdit* pass = nullptr;
};
