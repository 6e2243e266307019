// The word reader on fuzzed text, driven by a fuzzed sequence of reads (the last
// bytes of the input): only EInOutError leaves it, with a message that names the
// reader's own line and item; words hold no blank or tab; an integer read is whole;
// the line count follows the line-break rules; the line number never goes back.
#include "FuzzSupport.h"

#include "NumText.h"
#include "WordRead.h"
#include "typecheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>

namespace {

using namespace veldo;

enum class Read { Word, Float, Integer, Line, WordsOnLine, Count };
constexpr int kMaxReads = 64;
constexpr std::string_view kIncomplete = "This file either invalid or incomplete.";

// Lines of a text: LF or CR LF ends a line, a final break adds none, an empty text is one line.
int ExpectedLineCount(std::string_view text)
{
    const auto breaks = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    return breaks + ((text.empty() || !text.ends_with('\n')) ? 1 : 0);
}

void CheckMessage(const EInOutError& e, const TWordReader& in)
{
    const std::string message = e.what();
    if (message == kIncomplete)
        return;
    const std::string position =
        "Error on Line " + std::to_string(in.LineNumber()) + " Item " + std::to_string(in.ItemNumber()) + "\r";
    VELDO_FUZZ_CHECK(message.starts_with(position), "a read error names the reader's line and item");
}

void ReadOnce(TWordReader& in, Read read)
{
    switch (read) {
    case Read::Word: {
        const std::string word = in.ReadWord();
        VELDO_FUZZ_CHECK(!word.empty() && word.find_first_of(" \t") == std::string::npos,
                         "a word is not empty and holds no blank or tab");
        break;
    }
    case Read::Float:
        VELDO_FUZZ_CHECK(std::isfinite(in.ReadFloat()), "a real read is finite");
        break;
    case Read::Integer: {
        const long double value = in.ReadInteger();
        VELDO_FUZZ_CHECK(IsWholeNumber(value), "an integer read is whole");
        break;
    }
    case Read::Line:
        VELDO_FUZZ_CHECK(in.ReadLine().find('\n') == std::string::npos, "a line holds no line break");
        break;
    case Read::WordsOnLine:
        VELDO_FUZZ_CHECK(in.WordsOnLine() >= 0, "a word count is not negative");
        break;
    case Read::Count:
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    std::vector<Read> reads;
    const int readCount = provider.ConsumeIntegralInRange(0, kMaxReads);
    for (int i = 0; i < readCount; ++i)
        reads.push_back(static_cast<Read>(provider.ConsumeIntegralInRange(0, static_cast<int>(Read::Count) - 1)));
    const std::string text = provider.ConsumeRemainingBytesAsString();

    try {
        TWordReader lines = TWordReader::FromText(text);
        int lineCount = 0;
        while (!lines.Eof()) {
            lines.ReadLine();
            ++lineCount;
        }
        VELDO_FUZZ_CHECK(lineCount == ExpectedLineCount(text), "the line count follows the line breaks");

        TWordReader in = TWordReader::FromText(text);
        for (const Read read : reads) {
            const int lineBefore = in.LineNumber();
            try {
                ReadOnce(in, read);
            } catch (const EInOutError& e) {
                CheckMessage(e, in);
            }
            VELDO_FUZZ_CHECK(in.LineNumber() >= lineBefore, "the line number never goes back");
        }
    } catch (const std::exception& e) {
        fuzz::UnexpectedException(e.what());
    }
    return 0;
}
