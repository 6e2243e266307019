// Word reader: splitting, cursor rules, numbers and exact error texts.
#include "WordRead.h"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace veldo;

namespace {

class WordReaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = std::filesystem::temp_directory_path() / ("veldo_wordread_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // Writes the bytes exactly as given and returns the file's path.
    std::filesystem::path file(const std::string& bytes)
    {
        const auto path = dir_ / ("f" + std::to_string(++count_) + ".txt");
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::filesystem::path dir_;
    int count_ = 0;
};

template <class F> std::string errorOf(F&& f)
{
    try {
        f();
    } catch (const EInOutError& e) {
        return e.what();
    }
    return "(no error)";
}

const std::string kIncomplete = "This file either invalid or incomplete.";

} // namespace

TEST_F(WordReaderTest, SplitsWordsAndKeepsTheLineText)
{
    const std::string line = "  1.5\t\t2   x ";
    TWordReader r(file(line + "\n"));
    EXPECT_EQ(r.WordsOnLine(), 3);
    EXPECT_EQ(r.ReadWord(), "1.5");
    EXPECT_EQ(r.ReadWord(), "2");
    EXPECT_EQ(r.ReadWord(), "x");
    EXPECT_EQ(r.ReadLine(), line);
    EXPECT_TRUE(r.Eof());

    // Control characters other than the tab stay inside a word.
    const auto c = TWordContainer::split("\x01"
                                         "a\x02"
                                         "b c\r");
    ASSERT_EQ(c.words.size(), 2u);
    EXPECT_EQ(c.words[0], "a\x02"
                          "b");
    EXPECT_EQ(c.words[1], "c");
}

TEST_F(WordReaderTest, LazyAdvanceAfterTheLastWordOfALine)
{
    TWordReader r(file("a\nb\nc d e\nf g\n"));
    EXPECT_EQ(r.ReadWord(), "a");
    EXPECT_EQ(r.ReadWord(), "b");
    EXPECT_EQ(r.ReadWord(), "c");
    EXPECT_EQ(r.ReadWord(), "d");
    EXPECT_EQ(r.ReadWord(), "e");
    // The cursor still stands on line 3 until the next ReadWord.
    EXPECT_EQ(r.WordsOnLine(), 3);
    EXPECT_EQ(r.ReadLine(), "c d e");
    EXPECT_EQ(r.WordsOnLine(), 2);
    EXPECT_EQ(r.ReadWord(), "f");
    // ReadLine after part of a line skips the rest of it.
    EXPECT_EQ(r.ReadLine(), "f g");
    EXPECT_TRUE(r.Eof());
}

TEST_F(WordReaderTest, LineBreaksAndEmptyFiles)
{
    { // CR LF: no CR in the text, no extra line at the end
        TWordReader r(file("1 2\r\n3\r\n"));
        EXPECT_EQ(r.ReadLine(), "1 2");
        EXPECT_EQ(r.ReadLine(), "3");
        EXPECT_TRUE(r.Eof());
    }
    { // no final line break
        TWordReader r(file("x\ny"));
        EXPECT_EQ(r.ReadLine(), "x");
        EXPECT_EQ(r.ReadLine(), "y");
        EXPECT_TRUE(r.Eof());
    }
    { // an empty file is one empty line
        TWordReader r(file(""));
        EXPECT_FALSE(r.Eof());
        EXPECT_EQ(r.WordsOnLine(), 0);
        EXPECT_EQ(r.ReadLine(), "");
        EXPECT_TRUE(r.Eof());
    }
    { // an empty line inside the file is kept
        TWordReader r(file("a\n\nb\n"));
        EXPECT_EQ(r.ReadLine(), "a");
        EXPECT_EQ(r.ReadLine(), "");
        EXPECT_EQ(r.ReadLine(), "b");
        EXPECT_TRUE(r.Eof());
    }
    { // a UTF-8 byte-order mark (as spreadsheets write) is not part of the first word
        TWordReader r(file("\xEF\xBB\xBF"
                           "1.5 2\r\n\xEF\xBB\xBF"
                           "3\r\n"));
        EXPECT_EQ(r.ReadFloat(), 1.5L);
        EXPECT_EQ(r.ReadLine(), "1.5 2");
        EXPECT_EQ(r.ReadWord(), "\xEF\xBB\xBF"
                                "3"); // only at the start of the file
    }
}

TEST_F(WordReaderTest, TextInMemoryReadsLikeTheSameFile)
{
    const std::string bytes = "\xEF\xBB\xBF 2 3.5\r\nheader line\r\n7 x\r\n"; // with a byte-order mark
    TWordReader fromFile(file(bytes));
    TWordReader fromText = TWordReader::FromText(bytes);
    for (TWordReader* r : {&fromFile, &fromText}) {
        EXPECT_EQ(r->ReadInteger(), 2);
        EXPECT_EQ(r->ReadFloat(), 3.5L);
        EXPECT_EQ(r->ReadLine(), " 2 3.5");
        EXPECT_EQ(r->ReadLine(), "header line");
        EXPECT_EQ(r->ReadInteger(), 7);
        EXPECT_EQ(errorOf([r] { r->ReadFloat(); }),
                  "Error on Line 3 Item 2\rA floating point number was expected but not found.");
        EXPECT_EQ(errorOf([r] { r->ReadWord(); }), kIncomplete);
    }
}

TEST_F(WordReaderTest, RunningOutOfWordsIsTheReadersOwnError)
{
    {
        TWordReader r(file("1 2\n"));
        EXPECT_EQ(r.ReadInteger(), 1);
        EXPECT_EQ(r.ReadInteger(), 2);
        EXPECT_EQ(errorOf([&] { r.ReadWord(); }), kIncomplete);
        EXPECT_EQ(errorOf([&] { r.ReadFloat(); }), kIncomplete);
        EXPECT_EQ(errorOf([&] { r.ReadInteger(); }), kIncomplete);
        EXPECT_TRUE(r.Eof());
        // Asking for the line past the end is the same error, not another kind.
        EXPECT_EQ(errorOf([&] { r.WordsOnLine(); }), kIncomplete);
        EXPECT_EQ(errorOf([&] { r.ReadLine(); }), kIncomplete);
    }
    { // an empty file holds no word
        TWordReader r(file(""));
        EXPECT_EQ(errorOf([&] { r.ReadWord(); }), kIncomplete);
    }
    { // a wordless line is not skipped: reading a word there fails, what was read stays
        TWordReader r(file("7\n\n8\n"));
        EXPECT_EQ(r.ReadInteger(), 7);
        EXPECT_EQ(errorOf([&] { r.ReadWord(); }), kIncomplete);
        EXPECT_EQ(r.ReadLine(), "");
        EXPECT_EQ(r.ReadInteger(), 8);
    }
}

TEST_F(WordReaderTest, FloatsAndTheirErrorMessage)
{
    TWordReader r(file("1 2\n3.5 4E2 abc -0.25\n"));
    EXPECT_EQ(r.ReadFloat(), 1);
    EXPECT_EQ(r.ReadFloat(), 2);
    EXPECT_EQ(r.ReadFloat(), 3.5L);
    EXPECT_EQ(r.ReadFloat(), 400);
    EXPECT_EQ(errorOf([&] { r.ReadFloat(); }),
              "Error on Line 2 Item 3\rA floating point number was expected but not found.");
    EXPECT_EQ(r.ReadFloat(), -0.25L); // the failing word was consumed

    const std::string localeBefore = std::setlocale(LC_ALL, nullptr);
    TWordReader comma(file("1,5 2\n"));
    EXPECT_EQ(errorOf([&] { comma.ReadFloat(); }),
              "Error on Line 1 Item 1\rA floating point number was expected but not found.");
    EXPECT_EQ(std::setlocale(LC_ALL, nullptr), localeBefore);
}

TEST_F(WordReaderTest, IntegersAndTheirErrorMessage)
{
    TWordReader r(file("12 12.0 1.2E1 -2147483648 2147483647 2147483648 1.5 x\n"));
    EXPECT_EQ(r.ReadInteger(), 12);
    EXPECT_EQ(r.ReadInteger(), 12);
    EXPECT_EQ(r.ReadInteger(), 12);
    EXPECT_EQ(r.ReadInteger(), -2147483647 - 1);
    EXPECT_EQ(r.ReadInteger(), 2147483647);
    const std::string reason = "\rAn integer was expected but not found.";
    EXPECT_EQ(errorOf([&] { r.ReadInteger(); }), "Error on Line 1 Item 6" + reason);
    EXPECT_EQ(errorOf([&] { r.ReadInteger(); }), "Error on Line 1 Item 7" + reason);
    EXPECT_EQ(errorOf([&] { r.ReadInteger(); }), "Error on Line 1 Item 8" + reason);
}

TEST_F(WordReaderTest, FilesThatCannotBeRead)
{
    EXPECT_EQ(errorOf([&] { TWordReader r(dir_ / "missing.txt"); }), "File not found");
    EXPECT_EQ(errorOf([&] { TWordReader r(dir_); }), "File access denied");
}

// A file over 64 MB is refused before a byte is read, naming the file and its size; a
// file of exactly 64 MB is read, and a pipe (no size known beforehand) is bounded too.
TEST_F(WordReaderTest, FilesOver64MegabytesAreRefusedUnread)
{
    const std::filesystem::path huge = file("");
    std::filesystem::resize_file(huge, MaxReadFileBytes + 1); // sparse: nothing stored
    EXPECT_EQ(errorOf([&] { TWordReader r(huge); }),
              "The file is too large to be read:\r" + huge.string() + "\r67108865 bytes (at most 64 MB)");
    EXPECT_THROW(TWordReader{huge}, EFileTooLarge);

    std::filesystem::resize_file(huge, MaxReadFileBytes); // 64 MB of zero bytes: one line, no word
    TWordReader limit(huge);
    EXPECT_EQ(limit.WordsOnLine(), 0);
    EXPECT_EQ(limit.ReadLine().size(), MaxReadFileBytes);
    EXPECT_TRUE(limit.Eof());

    EXPECT_EQ(errorOf([&] { TWordReader r("/dev/zero"); }),
              "The file is too large to be read:\r/dev/zero\r67108865 bytes (at most 64 MB)");
}
