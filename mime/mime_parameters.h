#pragma once
#include <map>
#include <string>
#include <string_view>

// A field such as Content-Type or Content-Disposition: its leading value and its parameters.
struct TParameterized {
    std::string Value;                         // lower case, blanks and comments dropped
    std::map<std::string, std::string> Params; // names in lower case, values as UTF-8
};

// Parameters as RFC 2045 and 2231 write them (quoted strings, continuations "name*0", charset
// and percent encoding "name*=utf-8''..."), and encoded words in a value as senders also use.
// Anything malformed is read as far as it goes.
TParameterized ParseParameterized(std::string_view value);
