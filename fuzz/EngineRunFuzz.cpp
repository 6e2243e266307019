// The engine's whole run through its entry on a fuzzed hand-over file, project file
// and CPT file (three parts of the input, see SplitParts). The run must return 0, 1
// or 2, and a run that ends with 0 must write no NaN or Inf into the report or the
// plot-data file.
#include "FuzzSupport.h"
#include "HandOver.h"

#include <cstdio>
#include <set>
#include <sstream>

extern "C" int IVELDO(int request);

namespace {

using namespace veldo::fuzz;

constexpr int kRunRequest = 7;

// Paths of the hand-over file stay inside the work folder.
std::string LocalPaths(std::string handOver)
{
    for (char& c : handOver)
        if (c == '/' || c == '\\')
            c = '_';
    return handOver;
}

// Line `index` (0-based) of the hand-over file as a path, empty when there is none.
std::string HandOverPath(const std::string& handOver, int index)
{
    std::istringstream in(handOver);
    std::string line;
    for (int i = 0; i <= index; ++i)
        if (!std::getline(in, line))
            return {};
    if (line.ends_with('\r'))
        line.pop_back();
    const std::string path = veldo::TrimmedPath(line);
    return path == "names.dat" ? std::string() : path;
}

// Hand-over lines of the input, output, plot-data and CPT paths.
enum HandOverLine { kInputLine = 4, kOutputLine = 5, kPlotLine = 6, kCptLine = 7 };

void WriteNamed(const std::string& path, const std::string& content)
{
    if (!path.empty())
        WriteFile(path, content);
}

std::set<std::string> Words(const std::string& text)
{
    std::set<std::string> words;
    std::istringstream in(text);
    for (std::string w; in >> w;)
        words.insert(w);
    return words;
}

// A word of an output file that prints a non-finite number; words the input itself
// holds (an echoed title) do not count.
bool WritesNonFinite(const std::string& output, const std::set<std::string>& inputWords)
{
    std::istringstream in(output);
    for (std::string w; in >> w;) {
        if (inputWords.count(w))
            continue;
        if (w.find("NaN") != std::string::npos || w.find("Inf") != std::string::npos)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    EnterWorkFolder(argc, argv);
    // Console prompts read an ended input; the console banner is not wanted.
    if (!std::freopen("/dev/null", "r", stdin) || !std::freopen("/dev/null", "w", stdout))
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> parts = SplitParts(data, size, 3);
    const std::string handOver = LocalPaths(parts[0]);
    EmptyWorkFolder();
    WriteFile("names.dat", handOver);
    WriteNamed(HandOverPath(handOver, kInputLine), parts[1]);
    WriteNamed(HandOverPath(handOver, kCptLine), parts[2]);

    const int status = IVELDO(kRunRequest);
    VELDO_FUZZ_CHECK(status == 0 || status == 1 || status == 2, "the run status is 0, 1 or 2");
    if (status == 0) {
        std::set<std::string> inputWords = Words(handOver);
        inputWords.merge(Words(parts[1]));
        inputWords.merge(Words(parts[2]));
        VELDO_FUZZ_CHECK(!WritesNonFinite(ReadFile(HandOverPath(handOver, kOutputLine)), inputWords),
                         "the report holds no NaN or Inf");
        VELDO_FUZZ_CHECK(!WritesNonFinite(ReadFile(HandOverPath(handOver, kPlotLine)), inputWords),
                         "the plot data hold no NaN or Inf");
    }
    return 0;
}
