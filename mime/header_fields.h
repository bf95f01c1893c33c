#pragma once
#include "pop3/header_lines.h"

#include <string>
#include <string_view>
#include <vector>

// One field of a header as a reader takes it: the name as written and the value unfolded (the
// line ends of its folds removed, every other byte kept).
struct THeaderField {
    std::string Name;
    std::string Value;
};

// The fields of a header given as lines, with or without their line ends: parsing stops at the
// empty line that ends a header or at a POP3 terminator ".", dot-stuffing is undone, and a line
// that is neither a field nor a fold is skipped. Sets bodyStart (when given) to the index of
// the first line after the header.
std::vector<THeaderField> HeaderFields(const std::vector<std::string>& lines,
                                       size_t* bodyStart = nullptr);

// Field names compare without regard to case.
bool SameFieldName(std::string_view a, std::string_view b);

// The value of the first field of that name, unfolded; empty without one.
std::string FieldValue(const std::vector<THeaderField>& fields, std::string_view name);

// The same values for a few names in one pass over the lines, without making the other fields.
std::vector<std::string> FieldValues(const std::vector<std::string>& lines,
                                     const std::vector<std::string_view>& names);
std::vector<std::string> FieldValues(const THeaderLines& lines,
                                     const std::vector<std::string_view>& names);
