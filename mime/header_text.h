#pragma once
#include <string>
#include <string_view>
#include <vector>

// Header text as a reader should see it, as UTF-8. What is stored and compared keeps the bytes
// as they came; these functions only make what is shown.

// Unfolds the text (a line end followed by a blank is removed), decodes encoded words (B and Q,
// any charset the system knows, adjacent words joined) and reads other 8-bit bytes as UTF-8
// when they are valid UTF-8, else as Windows-1252. A malformed encoded word stays as it came.
std::string DecodeHeaderText(std::string_view text);

// The value of the last field whose first line starts with prefix (compared byte for byte, as
// the summary does), its continuation lines joined; empty without one.
std::string UnfoldedField(const std::vector<std::string>& header, std::string_view prefix);

// The text without the CR and LF bytes that end it.
std::string WithoutLineEnd(std::string text);

// The kept header lines of a message as the server meant them: the terminator line and the
// empty line before it dropped, dot-stuffing undone, encoded words decoded line by line.
std::vector<std::string> ShownHeaderLines(const std::vector<std::string>& lines);

// The value of a hexadecimal digit in either case; -1 for any other byte.
int HexValue(char c);
