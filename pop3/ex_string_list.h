#pragma once
#include <string>
#include <vector>

// An ordered list of text lines: unsorted, duplicates allowed.
class TExStringList {
public:
    void Add(const std::string& line) { lines.push_back(line); }
    void Clear() { lines.clear(); }
    int Count() const { return static_cast<int>(lines.size()); }
    const std::string& operator[](int index) const { return lines.at(static_cast<size_t>(index)); }
    const std::vector<std::string>& Lines() const { return lines; }
    bool operator==(const TExStringList&) const = default;

private:
    std::vector<std::string> lines;
};
