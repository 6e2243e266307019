// Sequential free-format reading of a text file, one record per line, as the
// engine reads its input files: each record takes the values it needs from the
// next line (values beyond them are ignored). Lines may end in CR LF or LF; reals
// are read with "." whatever the locale. A failure throws RunStop with status 2
// and a message naming the file, the line and the item.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veldo {

class RecordReader {
public:
    RecordReader(std::string_view text, std::string_view fileName);

    // The next line as text (without its line end).
    std::string text();
    // Starts the next record; its values are then taken in order.
    void record();
    int integer();
    double real();

private:
    std::string_view nextLine();
    std::string_view word(std::string_view kind);
    [[noreturn]] void fail(const std::string& what) const;

    std::string fileName_;
    std::vector<std::string> lines_;
    size_t next_ = 0; // lines consumed so far (= 1-based number of the current line)
    std::vector<std::string_view> words_;
    size_t item_ = 0; // 1-based number of the last value taken
};

// The first count characters (UTF-8 code points) of the text, never part of
// one; taken, when given, receives how many characters that is.
std::string_view Utf8Prefix(std::string_view s, size_t count, size_t* taken = nullptr);
// Fixed-length text: cut to the width in characters or padded with blanks.
std::string FixedText(std::string_view s, size_t width);
// The text without its trailing blanks.
std::string TrimRight(std::string_view s);

// Reads a whole file; throws RunStop (status 2) naming the file when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// The three-line message of an input or output failure (after two empty lines).
std::vector<std::string> FailureMessage(const std::string& first, const std::string& second);

} // namespace veldo
