#include "net/nth_word.h"

std::string NthWord(const std::string& text, char delimiter, int n) {
    std::string field;
    int passed = 0;
    for (char c : text) {
        if (passed >= n) break;
        if (c == delimiter)
            ++passed;
        else if (passed == n - 1)
            field += c;
    }
    return field;
}
