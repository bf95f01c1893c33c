#pragma once
#include <string>

// The n-th field (from 1) of text between single delimiters; nothing is trimmed, so the last
// field keeps a trailing line end, and a field beyond the last one is empty.
std::string NthWord(const std::string& text, char delimiter, int n);
