#pragma once
#include <string>

// Takes the field before the first delimiter out of text, removing the delimiter too. Without a
// delimiter the whole text is the field and text becomes empty.
std::string CutField(std::string& text, char delimiter);
