#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A part of a message that the preview names instead of showing; never fetched.
struct TAttachment {
    std::string Name;            // UTF-8; empty when the sender gave none
    std::string Type;            // "application/pdf", lower case
    std::optional<int64_t> Size; // decoded bytes, when the part was read whole or states it
};

// What the preview pane shows of a message.
struct TPreview {
    std::string Text;      // UTF-8, lines ended by LF, no blank lines at the end
    bool FromHtml = false; // the text was made from an HTML part
    std::vector<TAttachment> Attachments;
    bool Cut = false; // the lines ended before the message did (a part left open)
};

// The preview of a message from the lines of a "TOP n k" reply after its status line, as the
// server sent them (with or without line ends, dot-stuffed, the terminator "." optional):
// the text/plain part of a multipart/alternative, else its text/html made into text; every
// inline text part of a multipart/mixed in turn; quoted-printable and base64 decoded and the
// part's charset read. A reply cut off anywhere gives what is there.
TPreview DecodePreview(const std::vector<std::string>& replyLines);

// The preview of a summary read with body lines: its kept header lines (the empty line and the
// terminator at their end or not) and the body lines that followed, dot-stuffed as sent.
TPreview DecodePreview(const std::vector<std::string>& header,
                       const std::vector<std::string>& body);
