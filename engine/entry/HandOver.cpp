#include "HandOver.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "InputRead.h"
#include "RecordReader.h"

namespace veldo {
namespace {

constexpr size_t kPathWidth = 255;
constexpr const char* kHandOverFile = "FILE names.dat";

// Stops the run on a line of `source` that cannot be used; `where` names the line
// ("" for a console answer).
[[noreturn]] void refuseLine(const std::string& source, const std::string& where, const std::string& reason)
{
    throw RunStop(RunStatus::Failed, FailureMessage("ERROR READING " + source, where + reason));
}

std::string lineLabel(int number) { return "LINE " + std::to_string(number) + ": "; }

// One line of a text stream without its line end; nothing at the end of the stream.
std::optional<std::string> readLine(std::istream& in)
{
    std::string line;
    if (!std::getline(in, line))
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

// A path line as stored (cut or padded to the fixed width). A path longer than the
// width is refused: cut, it would name another file, and the report or the
// plot-data file would be written over whatever file that is.
// `source` names what was read, `where` the line ("" for a console answer).
// A line that cannot be a path (a control character, a folder) is refused too: it
// comes from a path broken across lines, and its neighbours name other files.
std::string pathOf(const std::string& line, const std::string& source, const std::string& where)
{
    const auto refuse = [&](const std::string& reason) { refuseLine(source, where, reason); };
    const std::string path = TrimRight(line);
    if (path.size() > kPathWidth)
        refuse("THE PATH IS LONGER THAN " + std::to_string(kPathWidth) + " CHARACTERS.");
    if (std::any_of(path.begin(), path.end(), [](char c) { return static_cast<unsigned char>(c) < 32; }))
        refuse("THE PATH HOLDS A CONTROL CHARACTER.");
    std::error_code ec;
    if (!path.empty() && std::filesystem::is_directory(path, ec))
        refuse("THE PATH NAMES A FOLDER.");
    return FixedText(line, kPathWidth);
}

void promptForPaths(EngineState& S, std::istream& consoleIn)
{
    const std::pair<const char*, std::string*> prompts[] = {
        {"ENTER A FILE NAME FOR YOUR INPUT FILE.", &S.INPUT_PATH},
        {"ENTER A FILE NAME FOR YOUR OUTPUT FILE.", &S.OUTPUT_PATH},
        {"ENTER A FILE NAME FOR YOUR GRAPHIC DATA FILE.", &S.PLOT_PATH},
    };
    for (const auto& [text, path] : prompts) {
        S.console.line();
        S.console.line();
        S.console.write("7X,A,/,' ENTER >'", {text});
        const auto answer = readLine(consoleIn);
        if (!answer)
            throw RunStop(RunStatus::Failed, FailureMessage("NO FILE NAME WAS ENTERED:", "THE CONSOLE INPUT ENDED."));
        *path = pathOf(*answer, "THE CONSOLE INPUT", "");
    }
}

} // namespace

std::string TrimmedPath(const std::string& path) { return TrimRight(path); }

SplitPath SplitFilePath(const std::string& path)
{
    const std::string p = TrimmedPath(path);
    const auto slash = p.find_last_of('/');
    if (slash == std::string::npos)
        return {std::string(), p};
    return {p.substr(0, slash + 1), p.substr(slash + 1)};
}

void READ_HAND_OVER(EngineState& S, std::istream& consoleIn)
{
    std::ifstream file("names.dat", std::ios::binary);
    if (!file)
        throw RunStop(RunStatus::Failed,
                      FailureMessage("ERROR OPENING FILE names.dat", "THE FILE DOES NOT EXIST OR CANNOT BE READ."));
    std::string head;
    for (int i = 0; i < 4; ++i) {
        const auto line = readLine(file);
        if (!line)
            refuseLine(kHandOverFile, lineLabel(i + 1), "THE LINE IS MISSING (END OF FILE).");
        head += *line + "\n";
    }
    RecordReader in(head, "names.dat");
    S.VERSION = FixedText(in.text(), 12);
    S.RESERVED1 = FixedText(in.text(), 256);
    S.RESERVED2 = FixedText(in.text(), 256);
    in.record();
    S.RESERVED_INT = in.integer();

    // Every line is checked before any path is taken: a failed run empties the file
    // at the plot-data path, which a broken hand-over file must not name.
    std::string* const targets[] = {&S.INPUT_PATH, &S.OUTPUT_PATH, &S.PLOT_PATH, &S.CPT_PATH};
    std::vector<std::string> paths;
    int lineNumber = 4;
    while (paths.size() < std::size(targets)) {
        const auto line = readLine(file);
        if (!line)
            break;
        ++lineNumber;
        paths.push_back(pathOf(*line, kHandOverFile, lineLabel(lineNumber)));
    }
    // More lines mean a path broken across lines: the four read are not the paths.
    for (auto line = readLine(file); line; line = readLine(file)) {
        ++lineNumber;
        if (!TrimRight(*line).empty())
            refuseLine(kHandOverFile, lineLabel(lineNumber), "A LINE FOLLOWS THE FOUR PATHS.");
    }
    for (std::size_t i = 0; i < paths.size(); ++i)
        *targets[i] = paths[i];
    if (paths.size() < std::size(targets)) {
        file.close();
        promptForPaths(S, consoleIn);
    }
}

} // namespace veldo
