#include "WordRead.h"
#include "MessageCatalogue.h"

#include "FilePaths.h"
#include "NumText.h"
#include "typecheck.h"

#include <algorithm>
#include <array>
#include <fstream>
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

[[noreturn]] void refuseSize(const std::filesystem::path& fileName, std::uintmax_t size)
{
    throw EFileTooLarge(MsgStd(TMsg::FileTooLarge, PathText(fileName), QString::number(size)));
}

std::string readWholeFile(const std::filesystem::path& fileName)
{
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(fileName, ec);
    if (!std::filesystem::exists(status))
        throw EInOutError(MsgStd(TMsg::FileNotFound));
    if (std::filesystem::is_directory(status))
        throw EInOutError(MsgStd(TMsg::FileAccessDenied));
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw EInOutError(MsgStd(TMsg::FileAccessDenied));
    std::string content;
    if (const std::uintmax_t size = std::filesystem::file_size(fileName, ec); !ec) {
        if (size > MaxReadFileBytes)
            refuseSize(fileName, size);
        content.reserve(size);
    }
    // A file without a size (a pipe) or still growing is bounded all the same.
    std::array<char, 65536> buffer;
    do {
        const std::size_t room = MaxReadFileBytes + 1 - content.size(); // one byte over tells
        in.read(buffer.data(), static_cast<std::streamsize>(std::min(buffer.size(), room)));
        content.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
        if (content.size() > MaxReadFileBytes)
            refuseSize(fileName, content.size());
    } while (in);
    if (in.bad())
        throw EInOutError(MsgStd(TMsg::FileReadError));
    return content;
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

void TWordReader::load(std::string content)
{
    content_ = std::move(content);
    // Spreadsheets and editors may start a UTF-8 text with a byte-order mark.
    if (content_.starts_with(kByteOrderMark))
        content_.erase(0, kByteOrderMark.size());
    enterLine(0);
}

// Lines end with LF or CR LF; a final line break adds no empty line, and an empty
// file is one empty line.
void TWordReader::enterLine(std::size_t start)
{
    const std::size_t lf = content_.find('\n', start);
    std::string line = content_.substr(start, lf == std::string::npos ? std::string::npos : lf - start);
    if (line.ends_with('\r'))
        line.pop_back();
    current_ = TWordContainer::split(std::move(line));
    nextStart_ = lf == std::string::npos || lf + 1 == content_.size() ? std::string::npos : lf + 1;
}

void TWordReader::nextLine()
{
    ++lineIndex_;
    wordIndex_ = 0;
    if (nextStart_ == std::string::npos) {
        eof_ = true;
        current_ = {};
    } else {
        enterLine(nextStart_);
    }
}

bool TWordReader::Eof() const { return eof_; }

const TWordContainer& TWordReader::currentLine() const
{
    if (Eof())
        throw EInOutError(std::string(kIncomplete));
    return current_;
}

int TWordReader::WordsOnLine() const { return static_cast<int>(currentLine().words.size()); }

std::string TWordReader::ReadWord()
{
    if (!Eof() && wordIndex_ == WordsOnLine())
        nextLine();
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
    nextLine();
    return text;
}

} // namespace veldo
