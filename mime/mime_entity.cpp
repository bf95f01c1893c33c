#include "mime/mime_entity.h"

namespace {

constexpr int MaxDepth = 20;

// "--boundary" or, closing, "--boundary--", blanks after it allowed.
enum class TDelimiter { None, Next, Close };

TDelimiter DelimiterOf(const std::string& line, const std::string& boundary) {
    if (line.size() < boundary.size() + 2 || line.compare(0, 2, "--") != 0 ||
        line.compare(2, boundary.size(), boundary) != 0)
        return TDelimiter::None;
    std::string_view rest = std::string_view(line).substr(boundary.size() + 2);
    TDelimiter kind = TDelimiter::Next;
    if (rest.substr(0, 2) == "--") {
        kind = TDelimiter::Close;
        rest.remove_prefix(2);
    }
    return rest.find_first_not_of(" \t") == std::string_view::npos ? kind : TDelimiter::None;
}

TMimeEntity Parse(const std::vector<std::string>& lines, bool complete, int depth) {
    TMimeEntity entity;
    size_t bodyStart = 0;
    // A part that starts with text has no header, though the empty line before it is missing.
    const bool headed = lines.empty() || lines[0].empty() || !HeaderFields({lines[0]}).empty();
    if (headed) entity.Fields = HeaderFields(lines, &bodyStart);
    const std::string type = FieldValue(entity.Fields, "Content-Type");
    entity.Type = ParseParameterized(type.empty() ? "text/plain" : type);
    if (entity.Type.Value.find('/') == std::string::npos) entity.Type.Value = "text/plain";
    entity.Disposition = ParseParameterized(FieldValue(entity.Fields, "Content-Disposition"));
    entity.Encoding =
        ParseParameterized(FieldValue(entity.Fields, "Content-Transfer-Encoding")).Value;
    if (entity.Encoding.empty()) entity.Encoding = "7bit";
    entity.Complete = complete;
    const std::string boundary = entity.Type.Params["boundary"];
    const bool multipart = entity.Type.Value.compare(0, 10, "multipart/") == 0;
    if (multipart && boundary.empty()) entity.Type.Value = "text/plain"; // cannot be split
    if (!multipart || boundary.empty() || depth >= MaxDepth) {
        entity.Body.assign(lines.begin() + static_cast<std::ptrdiff_t>(bodyStart), lines.end());
        return entity;
    }
    std::vector<std::string> part;
    bool inPart = false; // the preamble before the first delimiter is no part
    bool closed = false;
    for (size_t i = bodyStart; i < lines.size() && !closed; ++i) {
        const TDelimiter delimiter = DelimiterOf(lines[i], boundary);
        if (delimiter == TDelimiter::None) {
            if (inPart) part.push_back(lines[i]);
            continue;
        }
        if (inPart) entity.Parts.push_back(Parse(part, true, depth + 1));
        part.clear();
        inPart = delimiter == TDelimiter::Next;
        closed = delimiter == TDelimiter::Close;
    }
    if (inPart) entity.Parts.push_back(Parse(part, false, depth + 1));
    entity.Complete = complete && closed;
    return entity;
}

} // namespace

TMimeEntity ParseEntity(const std::vector<std::string>& lines, bool complete) {
    return Parse(lines, complete, 0);
}
