#pragma once

class TMessageGrid;

// The message number (from 1) that a table row stands for, and so the cached line (number - 1)
// of the account's Rows, Headers and Uids. Rows are in message order; a sorted or filtered
// view answers through this one function.
inline int MessageOfRow(const TMessageGrid& /*grid*/, int row) {
    return row;
}
