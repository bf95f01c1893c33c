#pragma once
#include "pop3/ex_string_list.h"

#include <QObject>
#include <functional>
#include <string>

// Companions the component owns; the system never fills or uses them.
struct TMailMessage {
    TExStringList Body;
    TExStringList Headers;
    TExStringList Attachments;
    std::string From;
    std::string Subject;
    std::string Date;
};

enum class UUMethods { uuMime, uuCode };

class TUUProcessor : public QObject {
public:
    explicit TUUProcessor(QObject* owner = nullptr) : QObject(owner) {}
    UUMethods Method = UUMethods::uuMime;
    std::function<void(QObject*)> OnBeginEncode;
    std::function<void(QObject*)> OnEndEncode;
    std::function<void(QObject*)> OnBeginDecode;
    std::function<void(QObject*)> OnEndDecode;
};
