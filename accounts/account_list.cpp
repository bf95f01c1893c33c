#include "accounts/account_list.h"

#include "accounts/ascii_text.h"
#include "platform/exception.h"
#include "platform/message_box.h"
#include "platform/translated_text.h"

#include <algorithm>
#include <new>

TAccount& TAccounts::At(int index) {
    return const_cast<TAccount&>(static_cast<const TAccounts&>(*this).At(index));
}

const TAccount& TAccounts::At(int index) const {
    if (index < 0 || index >= Count())
        throw Exception("Account index out of range (" + std::to_string(index) + ")");
    return *items[static_cast<size_t>(index)];
}

int TAccounts::IndexOf(const std::string& name) const {
    for (int i = 0; i < Count(); ++i)
        if (items[static_cast<size_t>(i)]->Name == name) return i;
    return -1;
}

bool TAccounts::Exists(const std::string& name) const {
    const std::string wanted = AsciiUpper(name);
    return std::any_of(items.begin(), items.end(),
                       [&](const auto& account) { return AsciiUpper(account->Name) == wanted; });
}

bool TAccounts::Add(const std::string& name, const std::string& server, const std::string& user,
                    const std::string& password, bool savePassword) {
    if (Exists(name)) {
        ShowMessage(Translated("TAccounts", "An account with that name already exists"));
        return false;
    }
    try {
        auto account = std::make_unique<TAccount>();
        account->Name = name;
        account->Server = server;
        account->User = user;
        account->Password = password;
        account->SavePassword = savePassword;
        items.push_back(std::move(account));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool TAccounts::Delete(int index, const std::string& name) {
    if (index == -1 && !name.empty()) index = IndexOf(name);
    if (index < 0 || index >= Count()) return false;
    const TAccount* gone = items[static_cast<size_t>(index)].get();
    items.erase(items.begin() + index);
    Modified = true;
    if (items.empty()) {
        current = nullptr;
        currentIndex = -1;
    } else if (current == gone) {
        current = nullptr; // never leave a dangling Current; the caller re-selects anyway
    }
    return true;
}

bool TAccounts::Select(int index, const std::string& name) {
    if (index == -1 && !name.empty()) index = IndexOf(name);
    if (index < 0 || index >= Count()) return false;
    MakeCurrent(index);
    return true;
}

void TAccounts::MakeCurrent(int index) {
    current = items[static_cast<size_t>(index)].get();
    currentIndex = index;
}
