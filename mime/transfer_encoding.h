#pragma once
#include <string>
#include <string_view>
#include <vector>

// Body bytes from their content transfer encoding. Both decoders read as much as is there: a
// part cut off in the middle (a TOP reply ends where it ends) or a malformed sequence never
// fails, the bytes they cannot read are skipped (base64) or kept as written (quoted-printable).

// Base64 over lines: blanks and stray characters skipped, padding ends a group (and another
// may follow, as some senders encode line by line), an incomplete last group gives the whole
// bytes it holds.
std::string DecodeBase64Lines(const std::vector<std::string>& lines);

// Quoted-printable lines (RFC 2045): "=XX" escapes, "=" at a line end joins the next line,
// blanks at a line end dropped; lines joined with LF.
std::string DecodeQuotedPrintableLines(const std::vector<std::string>& lines);

// format=flowed text (RFC 3676): lines that end in a blank go on in the next line; quoted
// lines keep their depth, space-stuffing is undone.
std::string UnflowText(std::string_view text, bool delSp);
