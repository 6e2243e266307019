#include "Misc.h"

namespace veldo {

std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args)
{
    std::string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            out += pattern[i];
            continue;
        }
        if (++i == pattern.size())
            throw std::invalid_argument("Format: pattern ends with %");
        const char conv = pattern[i];
        if (conv == '%') {
            out += '%';
            continue;
        }
        if (next == args.end())
            throw std::invalid_argument("Format: too few arguments");
        if (conv == 'd' && std::holds_alternative<long long>(*next))
            out += std::to_string(std::get<long long>(*next));
        else if (conv == 's' && std::holds_alternative<std::string>(*next))
            out += std::get<std::string>(*next);
        else
            throw std::invalid_argument("Format: unsupported or mismatched specifier");
        ++next;
    }
    return out;
}

int MinOf(std::span<const int> values)
{
    if (values.empty())
        throw std::invalid_argument("MinOf: no values");
    int result = values.front();
    for (int v : values.subspan(1))
        result = Min(result, v);
    return result;
}

} // namespace veldo
