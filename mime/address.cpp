#include "mime/address.h"

#include "mime/charset.h"
#include "mime/header_text.h"

namespace {

// The lexical pieces of an address field (RFC 5322 section 3.2).
struct TToken {
    enum TKind { Word, Quoted, Comment, Special } Kind;
    std::string Text; // a word as written, a quoted string or comment unescaped, the special
    bool BlankBefore = false;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsSpecial(char c) {
    return c == '<' || c == '>' || c == ':' || c == ';' || c == ',' || c == '@' || c == '[' ||
           c == ']';
}

// Text up to the closing character, backslash escapes undone; a comment may nest. An unclosed
// string or comment runs to the end, as readers take it.
std::string Enclosed(std::string_view text, size_t& i, char open, char close) {
    std::string out;
    int depth = 1;
    for (++i; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            out.push_back(text[++i]);
            continue;
        }
        if (c == close && --depth == 0) {
            ++i;
            return out;
        }
        if (open == '(' && c == open) ++depth;
        out.push_back(c);
    }
    return out;
}

std::vector<TToken> Tokens(std::string_view text) {
    std::vector<TToken> tokens;
    bool blank = false;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (IsBlank(c)) {
            blank = true;
            ++i;
            continue;
        }
        TToken token{TToken::Word, {}, blank};
        if (c == '"') {
            token.Kind = TToken::Quoted;
            token.Text = Enclosed(text, i, '"', '"');
        } else if (c == '(') {
            token.Kind = TToken::Comment;
            token.Text = Enclosed(text, i, '(', ')');
        } else if (c == '[') { // a domain literal is one word
            const size_t end = text.find(']', i);
            const size_t stop = end == std::string_view::npos ? text.size() : end + 1;
            token.Text = std::string(text.substr(i, stop - i));
            i = stop;
        } else if (IsSpecial(c)) {
            token.Kind = TToken::Special;
            token.Text = std::string(1, c);
            ++i;
        } else {
            const size_t start = i;
            while (i < text.size() && !IsBlank(text[i]) && !IsSpecial(text[i]) && text[i] != '"' &&
                   text[i] != '(')
                ++i;
            token.Text = std::string(text.substr(start, i - start));
        }
        tokens.push_back(std::move(token));
        blank = false;
    }
    return tokens;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A phrase of words and quoted strings as shown: one blank between words, encoded words
// decoded (also inside quotes, as senders put them there), tabs read as blanks.
std::string Phrase(const std::vector<std::string>& words) {
    std::string joined;
    for (const std::string& word : words)
        joined += (joined.empty() ? "" : " ") + word;
    std::string shown = DecodeHeaderText(joined);
    for (char& c : shown)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return Trimmed(shown);
}

// A bare address (local@domain) from its tokens: words, dots and "@" joined without blanks, a
// quoted local part quoted again, comments left out.
std::string AddrSpec(const std::vector<TToken>& tokens, size_t from, size_t to) {
    std::string address;
    for (size_t k = from; k < to; ++k) {
        const TToken& token = tokens[k];
        if (token.Kind == TToken::Comment) continue;
        if (token.Kind == TToken::Quoted)
            address += '"' + token.Text + '"';
        else
            address += token.Text;
    }
    return address;
}

class TParser {
public:
    explicit TParser(std::string_view value) : tokens(Tokens(value)) {}

    std::vector<TMailbox> Run() {
        while (at < tokens.size()) {
            if (IsAt(",") || IsAt(";")) {
                ++at;
                continue;
            }
            Entry();
        }
        return std::move(out);
    }

private:
    bool IsAt(const char* special) const {
        return at < tokens.size() && tokens[at].Kind == TToken::Special &&
               tokens[at].Text == special;
    }

    // A mailbox, or a group "name: mailbox, ...;" with the mailboxes it lists.
    void Entry() {
        const size_t start = at;
        std::vector<std::string> words;
        std::string comment;
        bool glue = false; // an address written as the name keeps its "@"
        while (at < tokens.size()) {
            const TToken& token = tokens[at];
            if (token.Kind == TToken::Special && token.Text != "@") break;
            if (token.Kind == TToken::Comment) {
                if (comment.empty()) comment = token.Text;
            } else if (token.Kind == TToken::Special) {
                if (!words.empty()) words.back() += "@";
                glue = !words.empty();
            } else if (glue && !token.BlankBefore) {
                words.back() += token.Text;
                glue = false;
            } else {
                words.push_back(token.Text);
                glue = false;
            }
            ++at;
        }
        if (IsAt(":") && group.empty()) {
            ++at;
            group = Phrase(words);
            const size_t before = out.size();
            while (at < tokens.size() && !IsAt(";")) {
                if (IsAt(",")) {
                    ++at;
                    continue;
                }
                Entry();
            }
            if (out.size() == before) out.push_back({{}, {}, group});
            group.clear();
            return;
        }
        if (IsAt("<")) {
            const size_t open = ++at;
            while (at < tokens.size() && !IsAt(">"))
                ++at;
            size_t from = open;
            for (size_t k = open; k < at; ++k) // an obsolete route "@a,@b:" before the address
                if (tokens[k].Kind == TToken::Special && tokens[k].Text == ":") from = k + 1;
            std::string address = AddrSpec(tokens, from, at);
            if (at < tokens.size()) ++at;
            SkipToEnd();
            out.push_back({Phrase(words), std::move(address), group});
            return;
        }
        // A bare address; its comment, if any, names it.
        std::string address = AddrSpec(tokens, start, at);
        if (address.empty()) {
            if (at < tokens.size() && !IsAt(",") && !IsAt(";")) ++at; // a stray special
            return;
        }
        // Words without an "@" are a name without an address, but a lone word is a local one.
        bool quoted = false;
        for (size_t k = start; k < at; ++k)
            quoted = quoted || tokens[k].Kind == TToken::Quoted;
        if (address.find('@') == std::string::npos && (words.size() > 1 || quoted)) {
            out.push_back({Phrase(words), {}, group});
            return;
        }
        out.push_back({Phrase({comment}), std::move(address), group});
    }

    // Anything after "<...>" up to the next separator is not part of an address.
    void SkipToEnd() {
        while (at < tokens.size() && !IsAt(",") && !IsAt(";"))
            ++at;
    }

    std::vector<TToken> tokens;
    size_t at = 0;
    std::string group;
    std::vector<TMailbox> out;
};

std::string Listed(const TMailbox& mailbox) {
    const std::string address = EightBitToUtf8(mailbox.Address);
    if (address.empty()) return mailbox.Name.empty() ? mailbox.Group : mailbox.Name;
    if (mailbox.Name.empty()) return address;
    return mailbox.Name + " <" + address + ">";
}

} // namespace

std::vector<TMailbox> ParseAddressList(std::string_view value) {
    return TParser(value).Run();
}

TSenderText ShownSender(std::string_view fromValue) {
    const std::vector<TMailbox> mailboxes = ParseAddressList(fromValue);
    TSenderText sender;
    for (const TMailbox& mailbox : mailboxes) {
        const std::string shown =
            !mailbox.Name.empty()
                ? mailbox.Name
                : (mailbox.Address.empty() ? mailbox.Group : EightBitToUtf8(mailbox.Address));
        if (shown.empty()) continue;
        if (!sender.Shown.empty()) sender.Shown += ", ";
        sender.Shown += shown;
        if (!sender.Tooltip.empty()) sender.Tooltip += ", ";
        sender.Tooltip += Listed(mailbox);
        if (sender.Address.empty()) sender.Address = mailbox.Address;
    }
    if (sender.Shown.empty()) sender.Shown = sender.Tooltip = Phrase({std::string(fromValue)});
    return sender;
}
