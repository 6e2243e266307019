#include "BriString.h"

namespace veldo {

namespace {

int position(std::string_view text, std::string_view sub)
{
    if (sub.empty())
        return 0;
    const auto found = text.find(sub);
    return found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
}

} // namespace

char CharAt(std::string_view text, int pos)
{
    if (pos < 1 || pos > static_cast<int>(text.size()))
        return '\0';
    return text[static_cast<std::size_t>(pos - 1)];
}

std::string TailFrom(std::string_view text, int pos)
{
    const auto start = static_cast<std::size_t>(pos < 1 ? 0 : pos - 1);
    return start >= text.size() ? std::string() : std::string(text.substr(start));
}

int PosFrom(std::string_view text, std::string_view sub, int start) { return position(TailFrom(text, start), sub); }

int PosOr(std::string_view text, std::string_view sub, int fallback)
{
    const int pos = position(text, sub);
    return pos == 0 ? fallback : pos;
}

int PosOrEnd(std::string_view text, std::string_view sub)
{
    return PosOr(text, sub, static_cast<int>(text.size()) + 1);
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to)
{
    std::string out(text);
    if (from.empty())
        return out;
    for (auto pos = out.find(from); pos != std::string::npos; pos = out.find(from, pos + to.size()))
        out.replace(pos, from.size(), to);
    return out;
}

} // namespace veldo
