#pragma once
#include "pop3/header_lines.h"

#include <cstdint>
#include <string>
#include <vector>

// The date of a message as its header writes it: what follows "Date:" (any case) on the first
// such line, the blank after the colon kept. Empty without such a line.
std::string HeaderDate(const THeaderLines& header);

// Bytes to whole kilobytes, halves rounded up, as decimal text.
std::string SizeInKB(int32_t bytes);

// A cell text as the table keeps it: the byte that joins cached cells cannot appear inside one.
std::string CellText(std::string text);
