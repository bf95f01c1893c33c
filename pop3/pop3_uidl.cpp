// The unique-identifier listing (UIDL, RFC 1939): what tells one message from another when
// message numbers have moved since the check.
#include "net/nth_word.h"
#include "platform/int_text.h"
#include "pop3/busy_scope.h"
#include "pop3/pop3_client.h"
#include "pop3/pop3_error.h"
#include "pop3/pop3_reply.h"

namespace {

// An identifier is printable and has no blanks, so the field ends at the first byte outside
// that range (the line end included).
std::string IdentifierField(const std::string& field) {
    size_t end = 0;
    while (end < field.size() && field[end] > ' ' && field[end] != '\x7F')
        ++end;
    return field.substr(0, end);
}

// How far a message number may run ahead of the lines listed so far. The count is only the
// server's word; without a bound, one line could make room for two billion identifiers.
constexpr size_t AheadOfListing = 1 << 16;

} // namespace

std::vector<std::string> TPop3Client::ListUids(int32_t count) {
    std::vector<std::string> uids;
    WhileBusy(busy, [&] {
        CertifyConnect();
        std::string reply;
        Transaction("UIDL", reply);
        if (!PositiveReply(reply)) return;
        // Grown as the listing comes; a message it does not reach has no identifier.
        for (size_t listed = 1;; ++listed) {
            std::string line = ReadLn();
            line.resize(line.size() - std::min<size_t>(2, line.size()));
            if (line == ".") break;
            const int32_t n = TryStrToInt(NthWord(line, ' ', 1)).value_or(0);
            if (n < 1 || n > count || static_cast<size_t>(n) > listed + AheadOfListing) continue;
            if (uids.size() < static_cast<size_t>(n)) uids.resize(static_cast<size_t>(n));
            uids[static_cast<size_t>(n - 1)] = IdentifierField(NthWord(line, ' ', 2));
        }
    });
    return uids;
}

std::string TPop3Client::Uid(int32_t n) {
    std::string uid;
    WhileBusy(busy, [&] {
        CertifyConnect();
        std::string reply;
        Transaction("UIDL " + std::to_string(n), reply);
        if (!PositiveReply(reply)) return;
        // RFC 1939 gives "+OK n uid"; some servers leave the number out ("+OK uid").
        const std::string second = IdentifierField(NthWord(reply, ' ', 2));
        const std::string third = IdentifierField(NthWord(reply, ' ', 3));
        if (third.empty())
            uid = second;
        else if (second == std::to_string(n) && IdentifierField(NthWord(reply, ' ', 4)).empty())
            uid = third;
    });
    return uid;
}
