// Reader of numeric text files: reads a whole file at creation (a file over 64 MB is
// refused unread), splits each line into blank- or tab-separated words when the cursor
// reaches it, and serves words, integers, reals and whole lines in file order.
// Numbers always use "." as the decimal separator.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace veldo {

// Failure to read a text file: the file cannot be opened or read, it ends too
// early, or a word is not the number asked for. The message is shown as it stands.
class EInOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file larger than any file the program writes: refused before it is read. The
// message names the file and its size.
class EFileTooLarge : public EInOutError {
public:
    using EInOutError::EInOutError;
};

// The largest file the reader takes: 64 MB.
inline constexpr std::uintmax_t MaxReadFileBytes = std::uintmax_t{64} << 20;

// One line of the file: its words and the line exactly as read (without the
// line break).
struct TWordContainer {
    std::vector<std::string> words;
    std::string lineText;

    static TWordContainer split(std::string lineText);
};

class TWordReader {
public:
    // Reads the whole file; throws EInOutError when it cannot be opened or read.
    explicit TWordReader(const std::filesystem::path& fileName);
    // Reads the given text as the content of a file (same line and word rules).
    static TWordReader FromText(const std::string& content);

    // True when the cursor stands past the last line.
    bool Eof() const;
    // Number of words of the current line.
    int WordsOnLine() const;
    // The next word; moves to the next line first when the current one is used up.
    std::string ReadWord();
    // The next word as a real; "Error on Line n Item m" + CR + reason when it is not one.
    long double ReadFloat();
    // The next word as a 32-bit integer (12, 12.0 and 1.2E1 all give 12).
    std::int32_t ReadInteger();
    // The whole text of the current line; the cursor moves to the start of the next.
    std::string ReadLine();
    // 1-based number of the current line and count of the words read from it, the
    // position that the messages name ("Error on Line n Item m").
    int LineNumber() const { return lineIndex_ + 1; }
    int ItemNumber() const { return wordIndex_; }

private:
    TWordReader() = default;
    void load(std::string content);
    // Splits the line that starts at `start` into the current line.
    void enterLine(std::size_t start);
    void nextLine();
    const TWordContainer& currentLine() const;
    [[noreturn]] void failItem(std::string_view reason) const;

    // The text, and only the current line split: memory stays near the file's size.
    std::string content_;
    TWordContainer current_;
    std::size_t nextStart_ = 0; // where the next line starts; npos after the last
    bool eof_ = false;
    int lineIndex_ = 0; // current line, 0-based
    int wordIndex_ = 0; // next word on the current line, 0-based
};

} // namespace veldo
