#include "mime/body_preview.h"

#include "mime/charset.h"
#include "mime/html_text.h"
#include "mime/mime_entity.h"
#include "mime/transfer_encoding.h"

#include <charconv>

namespace {

// The reply as message lines: line ends removed, dot-stuffing undone, up to the terminator.
std::vector<std::string> MessageLines(const std::vector<std::string>& reply, bool& ended) {
    std::vector<std::string> lines;
    ended = false;
    for (std::string line : reply) {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
            line.pop_back();
        if (line == ".") {
            ended = true;
            break;
        }
        if (line.size() >= 2 && line[0] == '.' && line[1] == '.') line.erase(0, 1);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string Decoded(const TMimeEntity& entity) {
    if (entity.Encoding == "base64") return DecodeBase64Lines(entity.Body);
    if (entity.Encoding == "quoted-printable") return DecodeQuotedPrintableLines(entity.Body);
    std::string bytes;
    for (size_t i = 0; i < entity.Body.size(); ++i)
        bytes += (i ? "\n" : "") + entity.Body[i];
    return bytes;
}

// Bytes in the charset as UTF-8. A cut may have split the last character, which is then
// dropped; bytes that are not what their label says are read as unlabelled 8-bit text.
std::string TextOf(const std::string& bytes, const std::string& charset) {
    for (size_t drop = 0; drop <= 3 && drop <= bytes.size(); ++drop) {
        const std::string_view kept = std::string_view(bytes).substr(0, bytes.size() - drop);
        if (charset.empty()) {
            if (IsUtf8(kept)) return std::string(kept);
        } else if (auto text = CharsetToUtf8(kept, charset)) {
            return *text;
        }
    }
    return EightBitToUtf8(bytes);
}

std::string WithLfEnds(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out.push_back('\n');
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

bool IsMultipart(const TMimeEntity& entity) {
    return !entity.Parts.empty() || entity.Type.Value.compare(0, 10, "multipart/") == 0;
}

bool IsShownText(const TMimeEntity& entity) {
    return (entity.Type.Value == "text/plain" || entity.Type.Value == "text/html") &&
           entity.Disposition.Value != "attachment";
}

std::optional<int64_t> StatedSize(const TMimeEntity& entity) {
    const auto found = entity.Disposition.Params.find("size");
    if (found == entity.Disposition.Params.end()) return std::nullopt;
    int64_t size = 0;
    const std::string& text = found->second;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
    if (error != std::errc() || end != text.data() + text.size() || size < 0) return std::nullopt;
    return size;
}

class TCollector {
public:
    explicit TCollector(TPreview& filled) : preview(filled) {}

    void Entity(const TMimeEntity& entity) {
        if (!entity.Complete && IsMultipart(entity)) preview.Cut = true;
        if (IsMultipart(entity)) {
            Multipart(entity);
        } else if (IsShownText(entity)) {
            Text(entity);
        } else {
            Attachment(entity);
        }
    }

private:
    void Multipart(const TMimeEntity& entity) {
        const std::string& type = entity.Type.Value;
        if (type == "multipart/alternative") {
            const TMimeEntity* chosen = nullptr;
            for (const char* wanted : {"text/plain", "text/html"})
                for (const TMimeEntity& part : entity.Parts)
                    if (!chosen && IsShownText(part) && part.Type.Value == wanted) chosen = &part;
            for (const TMimeEntity& part : entity.Parts) // say, related HTML with its pictures
                if (!chosen && IsMultipart(part)) chosen = &part;
            if (chosen) Entity(*chosen);
        } else if (type == "multipart/related" || type == "multipart/signed") {
            // The root, or the signed content; the rest are pieces of it or its signature.
            if (!entity.Parts.empty()) Entity(entity.Parts.front());
        } else {
            for (const TMimeEntity& part : entity.Parts)
                Entity(part);
        }
    }

    void Text(const TMimeEntity& entity) {
        const auto charset = entity.Type.Params.find("charset");
        std::string text = WithLfEnds(TextOf(Decoded(entity), charset == entity.Type.Params.end()
                                                                  ? std::string()
                                                                  : charset->second));
        if (entity.Type.Value == "text/html") {
            text = HtmlToText(text);
            preview.FromHtml = preview.FromHtml || preview.Text.empty();
        } else {
            const auto format = entity.Type.Params.find("format");
            if (format != entity.Type.Params.end() && format->second == "flowed") {
                const auto delSp = entity.Type.Params.find("delsp");
                text =
                    UnflowText(text, delSp != entity.Type.Params.end() && delSp->second == "yes");
            }
        }
        while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
            text.pop_back();
        if (text.empty()) return;
        if (!preview.Text.empty()) preview.Text += "\n\n";
        preview.Text += text;
    }

    void Attachment(const TMimeEntity& entity) {
        TAttachment attachment;
        attachment.Type = entity.Type.Value;
        for (const auto& params : {entity.Disposition.Params, entity.Type.Params}) {
            for (const char* key : {"filename", "name"}) {
                const auto found = params.find(key);
                if (attachment.Name.empty() && found != params.end())
                    attachment.Name = found->second;
            }
        }
        attachment.Size = StatedSize(entity);
        if (!attachment.Size && entity.Complete)
            attachment.Size = static_cast<int64_t>(Decoded(entity).size());
        preview.Attachments.push_back(std::move(attachment));
    }

    TPreview& preview;
};

} // namespace

TPreview DecodePreview(const std::vector<std::string>& replyLines) {
    bool ended = false;
    const std::vector<std::string> lines = MessageLines(replyLines, ended);
    TPreview preview;
    TCollector(preview).Entity(ParseEntity(lines, ended));
    preview.Cut = preview.Cut || !ended;
    return preview;
}

TPreview DecodePreview(const std::vector<std::string>& header,
                       const std::vector<std::string>& body) {
    std::vector<std::string> reply(header);
    if (!reply.empty() && reply.back() == ".") reply.pop_back();
    if (!reply.empty() && reply.back().empty()) reply.pop_back();
    reply.emplace_back();
    reply.insert(reply.end(), body.begin(), body.end());
    reply.emplace_back("."); // the summary read its reply to the end
    return DecodePreview(reply);
}
