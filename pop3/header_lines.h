#pragma once
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

// A message's header lines, line ends removed, held in one buffer: each line followed by LF.
// Lines read from a connection never hold an LF, so the buffer gives back exactly the lines put
// in, and two headers are equal exactly when their lines are. At 20,000 messages of 24 lines
// one buffer each instead of a string per line saves a third of their memory.
class THeaderLines {
public:
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::string_view*;
        using reference = std::string_view;

        const_iterator() = default;
        const_iterator(const std::string* buffer, size_t from) : bytes(buffer), at(from) {}
        std::string_view operator*() const {
            return std::string_view(*bytes).substr(at, bytes->find('\n', at) - at);
        }
        const_iterator& operator++() {
            at = bytes->find('\n', at) + 1;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator was = *this;
            ++*this;
            return was;
        }
        bool operator==(const const_iterator& other) const { return at == other.at; }

    private:
        const std::string* bytes = nullptr;
        size_t at = 0;
    };

    THeaderLines() = default;
    THeaderLines(std::initializer_list<std::string_view> lines);
    explicit THeaderLines(const std::vector<std::string>& lines);

    void Add(std::string_view line);
    void Clear();
    // Gives back what the buffer holds beyond its bytes.
    void ShrinkToFit() { bytes.shrink_to_fit(); }

    size_t size() const { return count; }
    bool empty() const { return count == 0; }
    int Count() const { return static_cast<int>(count); }
    // Line `index` (from 0), found by walking the buffer: for a few lines, not for a loop.
    std::string_view operator[](size_t index) const;
    const_iterator begin() const { return const_iterator(&bytes, 0); }
    const_iterator end() const { return const_iterator(&bytes, bytes.size()); }

    // A copy of the lines, for code that works on a list of them.
    std::vector<std::string> Lines() const;
    // Each line followed by LF.
    const std::string& Bytes() const { return bytes; }

    bool operator==(const THeaderLines& other) const { return bytes == other.bytes; }

private:
    std::string bytes;
    size_t count = 0;
};
