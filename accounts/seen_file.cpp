#include "accounts/seen_file.h"

#include "accounts/account_list.h"
#include "files/whole_file.h"
#include "platform/int_text.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace {
const std::string Magic = "Vellion seen ";
constexpr int Version = 1;
// Far beyond any mailbox's identifiers; a larger file is not ours to read.
constexpr qint64 LargestFile = 64 * 1024 * 1024;
constexpr auto OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QString PathOf(const std::string& name) {
    return QDir::current().filePath(QString::fromStdString(name));
}

bool Plain(unsigned char c) {
    return c >= '!' && c <= '~' && c != '%';
}

std::string Escaped(const std::string& id) {
    static const char Digits[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : id) {
        const auto byte = static_cast<unsigned char>(c);
        if (Plain(byte)) {
            text.push_back(c);
        } else {
            text.push_back('%');
            text.push_back(Digits[byte >> 4]);
            text.push_back(Digits[byte & 0x0f]);
        }
    }
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// False for anything Escaped would not have written.
bool Unescape(const std::string& text, std::string& id) {
    id.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (Plain(byte)) {
            id.push_back(text[i]);
            continue;
        }
        if (text[i] != '%' || i + 2 >= text.size()) return false;
        const int high = HexDigit(text[i + 1]), low = HexDigit(text[i + 2]);
        if (high < 0 || low < 0) return false;
        id.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return !id.empty();
}

// The version the file's first line names: 0 when it is not a seen file at all.
int VersionOf(const std::string& firstLine) {
    if (firstLine.compare(0, Magic.size(), Magic) != 0) return 0;
    const std::string number = firstLine.substr(Magic.size());
    if (number.empty() ||
        !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    return StrToIntDef(number, 0);
}

enum class TOnDisk { Missing, Ours, Newer, Unreadable };

TOnDisk Peek(const QString& path, std::string* text) {
    QFile file(path);
    if (!file.exists()) return TOnDisk::Missing;
    if (!file.open(QIODevice::ReadOnly) || file.size() > LargestFile) return TOnDisk::Unreadable;
    const QByteArray bytes = text ? file.readAll() : file.readLine(64);
    const std::string read(bytes.constData(), static_cast<size_t>(bytes.size()));
    if (text) *text = read;
    return VersionOf(read.substr(0, read.find('\n'))) > Version ? TOnDisk::Newer : TOnDisk::Ours;
}
} // namespace

std::string SeenText(const TNewMailState& state) {
    std::string text = Magic + std::to_string(Version) + "\n";
    size_t size = text.size() + 32;
    for (const std::string& id : state.Present)
        size += id.size() + 2; // most need no escape
    text.reserve(size);
    for (const std::string& id : state.Present)
        text += (IsNew(state, id) ? "+" : "=") + Escaped(id) + "\n";
    return text + "end " + std::to_string(state.Present.size()) + "\n";
}

TSeenRead ParseSeen(const std::string& text, TNewMailState& state) {
    state.Checked = false;
    state.Present.clear();
    state.Unviewed.clear();
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    const int version = lines.empty() ? VersionOf(text) : VersionOf(lines.front());
    if (version > Version) return TSeenRead::Newer;
    // Every line ends with LF and the last one counts the rest: a cut file fails here.
    if (version != Version || start != text.size() || lines.size() < 2 ||
        lines.back() != "end " + std::to_string(lines.size() - 2))
        return TSeenRead::Damaged;
    std::vector<std::string> present, unviewed;
    std::string id;
    for (size_t i = 1; i + 1 < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty() || (line[0] != '=' && line[0] != '+') || !Unescape(line.substr(1), id))
            return TSeenRead::Damaged;
        present.push_back(id);
        if (line[0] == '+') unviewed.push_back(id);
    }
    std::sort(present.begin(), present.end());
    std::sort(unviewed.begin(), unviewed.end());
    if (std::adjacent_find(present.begin(), present.end()) != present.end())
        return TSeenRead::Damaged;
    state.Checked = true;
    state.Present = std::move(present);
    state.Unviewed = std::move(unviewed);
    return TSeenRead::Read;
}

std::string MailboxOf(const TAccount& account) {
    std::string server = account.Server;
    for (char& c : server)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return server + "\n" + account.User;
}

std::string SeenFileName(const std::string& mailbox) {
    const QByteArray digest =
        QCryptographicHash::hash(QByteArray(mailbox.data(), static_cast<qsizetype>(mailbox.size())),
                                 QCryptographicHash::Sha256);
    return "mail-" + digest.toHex().left(16).toStdString() + ".seen";
}

std::vector<int> RecordCheckKept(TAccount& account, std::vector<std::string> ids) {
    const std::string mailbox = MailboxOf(account);
    if (account.NewMail.Mailbox != mailbox) {
        account.NewMail = TNewMailState{};
        account.NewMail.Mailbox = mailbox;
        std::string text;
        if (Peek(PathOf(SeenFileName(mailbox)), &text) == TOnDisk::Ours)
            ParseSeen(text, account.NewMail);
    }
    std::vector<int> arrived = RecordCheck(account.NewMail, std::move(ids));
    SaveSeen(account);
    return arrived;
}

void MarkViewedKept(TAccount& account) {
    MarkViewed(account.NewMail);
    SaveSeen(account);
}

bool SaveSeen(const TAccount& account) {
    // The state is written where it was read: an account pointed at another mailbox since then
    // starts from that mailbox's file at its next check.
    if (account.NewMail.Mailbox.empty()) return false;
    const QString path = PathOf(SeenFileName(account.NewMail.Mailbox));
    const TOnDisk before = Peek(path, nullptr);
    if (before == TOnDisk::Newer) return false; // a later version's, whose format is not ours
    if (before != TOnDisk::Missing && !QFileInfo(path).isFile()) return false;
    return SaveWholeFile(path, SeenText(account.NewMail), OwnerOnly);
}

void DropUnusedSeen(const TAccounts& accounts) {
    std::vector<std::string> used;
    for (int i = 0; i < accounts.Count(); ++i)
        used.push_back(SeenFileName(MailboxOf(accounts.At(i))));
    static const QRegularExpression Name("^mail-[0-9a-f]{16}\\.seen$");
    QDir folder = QDir::current();
    for (const QString& name : folder.entryList({"mail-*.seen"}, QDir::Files | QDir::Hidden)) {
        if (!Name.match(name).hasMatch()) continue;
        if (std::find(used.begin(), used.end(), name.toStdString()) == used.end())
            folder.remove(name);
    }
}
