#pragma once
#include <string>
#include <string_view>

// The text a reader sees of an HTML body (UTF-8 in, UTF-8 out): tags dropped, the contents of
// head, script and style left out, blocks, line breaks and list items on lines of their own,
// blanks collapsed outside pre, character references decoded. Cut-off HTML gives what there is.
std::string HtmlToText(std::string_view html);
