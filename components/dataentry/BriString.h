// Small string helpers; positions are 1-based, 0 means "absent".
#pragma once

#include <string>
#include <string_view>

namespace veldo {

// The character at a position, '\0' when the position is below 1 or past the end.
char CharAt(std::string_view text, int pos);

// The text from a position to its end (the whole text for a position below 1,
// empty past the end).
std::string TailFrom(std::string_view text, int pos);

// Position of `sub` within the tail of `text` that starts at `start`, counted within
// that tail; 0 when absent.
int PosFrom(std::string_view text, std::string_view sub, int start);

// Position of `sub` in `text`, or `fallback` when absent.
int PosOr(std::string_view text, std::string_view sub, int fallback);

// Position of `sub` in `text`, or the text length plus one when absent.
int PosOrEnd(std::string_view text, std::string_view sub);

// Every occurrence of `from` replaced by `to`; the search resumes after the inserted
// text, so inserted text is never searched again. An empty `from` changes nothing.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

} // namespace veldo
