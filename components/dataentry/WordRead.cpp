#include "WordRead.h"
#include "MessageCatalogue.h"

#include "NumText.h"
#include "typecheck.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace veldo {

namespace {

constexpr std::string_view kIncomplete = "This file either invalid or incomplete.";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isControlOrBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view trimLeft(std::string_view s)
{
    while (!s.empty() && isControlOrBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

std::string_view trim(std::string_view s)
{
    s = trimLeft(s);
    while (!s.empty() && isControlOrBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string readWholeFile(const std::filesystem::path& fileName)
{
    std::error_code ec;
    if (!std::filesystem::exists(fileName, ec))
        throw EInOutError(MsgStd(TMsg::FileNotFound));
    if (std::filesystem::is_directory(fileName, ec))
        throw EInOutError(MsgStd(TMsg::FileAccessDenied));
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw EInOutError(MsgStd(TMsg::FileAccessDenied));
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw EInOutError(MsgStd(TMsg::FileReadError));
    return content;
}

// Lines end with LF or CR LF; a final line break adds no empty line, and an empty
// file is one empty line.
std::vector<std::string> splitLines(const std::string& content)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        const auto lf = content.find('\n', start);
        std::string line = content.substr(start, lf == std::string::npos ? std::string::npos : lf - start);
        if (line.ends_with('\r'))
            line.pop_back();
        lines.push_back(std::move(line));
        if (lf == std::string::npos || lf + 1 == content.size())
            break;
        start = lf + 1;
    }
    return lines;
}

} // namespace

TWordContainer TWordContainer::split(std::string text)
{
    TWordContainer line;
    std::string_view rest = trim(text);
    while (!rest.empty()) {
        const auto end = rest.find_first_of(" \t");
        line.words.emplace_back(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : trimLeft(rest.substr(end + 1));
    }
    line.lineText = std::move(text);
    return line;
}

TWordReader::TWordReader(const std::filesystem::path& fileName) { load(readWholeFile(fileName)); }

TWordReader TWordReader::FromText(const std::string& content)
{
    TWordReader reader;
    reader.load(content);
    return reader;
}

void TWordReader::load(std::string_view content)
{
    // Spreadsheets and editors may start a UTF-8 text with a byte-order mark.
    if (content.starts_with(kByteOrderMark))
        content.remove_prefix(kByteOrderMark.size());
    for (auto& line : splitLines(std::string(content)))
        lines_.push_back(TWordContainer::split(std::move(line)));
}

bool TWordReader::Eof() const { return lineIndex_ >= static_cast<int>(lines_.size()); }

const TWordContainer& TWordReader::currentLine() const
{
    if (Eof())
        throw EInOutError(std::string(kIncomplete));
    return lines_[static_cast<std::size_t>(lineIndex_)];
}

int TWordReader::WordsOnLine() const { return static_cast<int>(currentLine().words.size()); }

std::string TWordReader::ReadWord()
{
    if (!Eof() && wordIndex_ == WordsOnLine()) {
        ++lineIndex_;
        wordIndex_ = 0;
    }
    const TWordContainer& line = currentLine();
    if (wordIndex_ >= static_cast<int>(line.words.size()))
        throw EInOutError(std::string(kIncomplete));
    return line.words[static_cast<std::size_t>(wordIndex_++)];
}

void TWordReader::failItem(std::string_view reason) const
{
    throw EInOutError(MsgStd(TMsg::ErrorOnLine, QString::number(lineIndex_ + 1), QString::number(wordIndex_),
                             QString::fromUtf8(reason.data(), static_cast<qsizetype>(reason.size()))));
}

long double TWordReader::ReadFloat()
{
    const auto value = parseFloat(ReadWord());
    if (!value)
        failItem("A floating point number was expected but not found.");
    return *value;
}

std::int32_t TWordReader::ReadInteger()
{
    const auto value = parseFloat(ReadWord());
    if (!value || !IsWholeNumber(*value))
        failItem("An integer was expected but not found.");
    return static_cast<std::int32_t>(*value);
}

std::string TWordReader::ReadLine()
{
    std::string text = currentLine().lineText;
    ++lineIndex_;
    wordIndex_ = 0;
    return text;
}

} // namespace veldo
