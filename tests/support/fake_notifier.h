#pragma once
#include "desktop/new_mail_notifier.h"

#include <string>
#include <utility>
#include <vector>

// A desktop as a test wants it: with or without tray and notices, remembering what it was told.
class FakeNotifier : public TNewMailNotifier {
public:
    FakeNotifier(bool hasTray, bool canNotify) : tray(hasTray), notices(canNotify) {}
    bool HasTray() const override { return tray; }
    bool CanNotify() const override { return notices; }
    void ShowCount(int fresh) override { count = fresh; }
    void Notify(const std::string& title, const std::string& body,
                const std::vector<std::string>& named) override {
        notified.emplace_back(title, body);
        accounts = named;
    }

    bool tray, notices;
    int count = -1; // never told
    std::vector<std::pair<std::string, std::string>> notified;
    std::vector<std::string> accounts; // those the last notice named
};
