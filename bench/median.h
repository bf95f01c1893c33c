#pragma once
#include <algorithm>
#include <vector>

// The middle of a benchmark's rounds: one slow round, from other load on the machine, moves it
// less than it moves a mean.
inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
