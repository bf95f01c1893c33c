#include "mime/shown_header.h"

#include "mime/charset.h"
#include "mime/header_fields.h"
#include "mime/header_text.h"
#include "mime/mail_date.h"

#include <array>
#include <utility>

// An identifier as written between angle brackets, whatever comments or blanks surround it.
std::string ShownMessageId(const std::string& value) {
    const size_t open = value.find('<');
    const size_t close = open == std::string::npos ? open : value.find('>', open);
    if (close != std::string::npos) {
        std::string id;
        for (size_t i = open; i <= close; ++i)
            if (value[i] != ' ' && value[i] != '\t' && value[i] != '\r' && value[i] != '\n')
                id.push_back(value[i]);
        return EightBitToUtf8(id);
    }
    return OneLine(EightBitToUtf8(value));
}

std::string OneLine(const std::string& utf8) {
    std::string text = utf8;
    for (char& c : text)
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string ShownSubject(const std::string& value) {
    return OneLine(DecodeHeaderText(value));
}

std::string ShownDateText(const std::string& value) {
    return OneLine(EightBitToUtf8(value));
}

namespace {
template <typename TLines> THeaderValues ValuesOf(const TLines& lines) {
    std::vector<std::string> values = FieldValues(lines, {"From", "Subject", "Date", "Message-ID"});
    return {std::move(values[0]), std::move(values[1]), std::move(values[2]), std::move(values[3])};
}
} // namespace

THeaderValues ShownHeaderValues(const std::vector<std::string>& lines) {
    return ValuesOf(lines);
}

// The table's rows are read from the account's headers as they are kept, without a copy.
THeaderValues ShownHeaderValues(const THeaderLines& lines) {
    return ValuesOf(lines);
}

TShownHeader ShownHeader(const THeaderValues& values) {
    TShownHeader shown;
    shown.From = ShownSender(values.From);
    shown.Subject = ShownSubject(values.Subject);
    shown.DateText = ShownDateText(values.Date);
    shown.Moment = ParseMailDate(values.Date);
    shown.MessageId = ShownMessageId(values.MessageId);
    return shown;
}

TShownHeader ShownHeader(const std::vector<std::string>& lines) {
    return ShownHeader(ShownHeaderValues(lines));
}

std::vector<std::string> ViewerLines(const std::vector<std::string>& lines) {
    static const std::array<const char*, 4> First = {"From", "To", "Subject", "Date"};
    const std::vector<THeaderField> fields = HeaderFields(lines);
    std::vector<std::string> shown;
    auto add = [&](const THeaderField& field) {
        const std::string value = OneLine(DecodeHeaderText(field.Value));
        shown.push_back(EightBitToUtf8(field.Name) + (value.empty() ? ":" : ": " + value));
    };
    for (const char* name : First)
        for (const THeaderField& field : fields)
            if (SameFieldName(field.Name, name)) add(field);
    for (const THeaderField& field : fields) {
        bool first = false;
        for (const char* name : First)
            first = first || SameFieldName(field.Name, name);
        if (!first) add(field);
    }
    return shown;
}
