#include "RecordReader.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <fstream>
#include <sstream>

#include "InputRead.h"

namespace veldo {

namespace {

// A UTF-8 continuation byte (10xxxxxx) goes on a character begun before it.
bool continuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

} // namespace

std::string_view Utf8Prefix(std::string_view s, size_t count, size_t* taken)
{
    size_t bytes = 0;
    size_t characters = 0;
    while (bytes < s.size() && characters < count) {
        ++bytes;
        while (bytes < s.size() && continuationByte(s[bytes]))
            ++bytes;
        ++characters;
    }
    if (taken)
        *taken = characters;
    return s.substr(0, bytes);
}

std::string FixedText(std::string_view s, size_t width)
{
    size_t characters = 0;
    std::string t(Utf8Prefix(s, width, &characters));
    t.append(width - characters, ' ');
    return t;
}

std::string TrimRight(std::string_view s)
{
    const auto end = s.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string() : std::string(s.substr(0, end + 1));
}

std::vector<std::string> FailureMessage(const std::string& first, const std::string& second)
{
    const std::string indent(10, ' ');
    return {"", "", indent + first, indent + second, indent + "COMPUTATION DOES NOT PROCEED."};
}

RecordReader::RecordReader(std::string_view text, std::string_view fileName) : fileName_(fileName)
{
    // Spreadsheets and editors may start a UTF-8 text with a byte-order mark.
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(byteOrderMark))
        text.remove_prefix(byteOrderMark.size());
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines_.emplace_back(line);
        pos = end + 1;
    }
}

std::string RecordReader::text()
{
    words_.clear();
    item_ = 0;
    return std::string(nextLine());
}

void RecordReader::record()
{
    words_.clear();
    item_ = 0;
    const std::string_view line = nextLine();
    size_t pos = 0;
    for (;;) {
        pos = line.find_first_not_of(" \t", pos);
        if (pos == std::string_view::npos)
            break;
        size_t end = line.find_first_of(" \t", pos);
        if (end == std::string_view::npos)
            end = line.size();
        words_.push_back(line.substr(pos, end - pos));
        pos = end;
    }
}

int RecordReader::integer()
{
    const std::string_view w = word("AN INTEGER");
    std::string_view digits = w;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    long long v = 0;
    const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), v);
    if (digits.empty() || r.ec != std::errc() || r.ptr != digits.data() + digits.size() || v < INT_MIN || v > INT_MAX)
        fail("AN INTEGER WAS EXPECTED BUT \"" + std::string(w) + "\" WAS FOUND.");
    return static_cast<int>(v);
}

double RecordReader::real()
{
    const std::string_view w = word("A REAL NUMBER");
    std::string t(w);
    if (!t.empty() && t.front() == '+')
        t.erase(0, 1);
    // Fortran-style exponent letters D and Q read like E.
    std::replace_if(
        t.begin(), t.end(), [](char c) { return c == 'd' || c == 'D' || c == 'q' || c == 'Q'; }, 'E');
    double v = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || r.ec != std::errc() || r.ptr != t.data() + t.size() || !std::isfinite(v))
        fail("A REAL NUMBER WAS EXPECTED BUT \"" + std::string(w) + "\" WAS FOUND.");
    return v;
}

std::string_view RecordReader::nextLine()
{
    ++next_;
    if (next_ > lines_.size())
        fail("THE LINE IS MISSING (END OF FILE).");
    return lines_[next_ - 1];
}

std::string_view RecordReader::word(std::string_view kind)
{
    ++item_;
    if (item_ > words_.size())
        fail(std::string(kind) + " WAS EXPECTED BUT THE LINE HOLDS ONLY " + std::to_string(words_.size()) +
             " VALUE(S).");
    return words_[item_ - 1];
}

void RecordReader::fail(const std::string& what) const
{
    std::string where = "LINE " + std::to_string(next_);
    if (item_ > 0)
        where += ", ITEM " + std::to_string(item_);
    throw RunStop(RunStatus::Failed, FailureMessage("ERROR READING FILE " + fileName_, where + ": " + what));
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw RunStop(RunStatus::Failed,
                      FailureMessage("ERROR OPENING FILE " + path, "THE FILE DOES NOT EXIST OR CANNOT BE READ."));
    std::ostringstream buf;
    buf << in.rdbuf();
    if (in.bad())
        throw RunStop(RunStatus::Failed, FailureMessage("ERROR READING FILE " + path, "THE FILE CANNOT BE READ."));
    return buf.str();
}

} // namespace veldo
