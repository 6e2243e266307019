// The hand-over file "names.dat": version text, reserved lines and the four paths.
#pragma once

#include <istream>
#include <string>

#include "EngineState.h"

namespace veldo {

// Reads "names.dat" from the current directory into S (fixed widths: version 12,
// reserved texts 256, paths 255, cut or blank-padded; a path longer than 255 is
// refused, as cutting it would name another file). When a path line (5 to 8)
// cannot be read, asks on the console for the input, output and graphic-data file
// names, reading each from consoleIn. Throws RunStop (status 2) when the file is
// missing, lines 1 to 4 cannot be read, a path is too long, or the console input ends.
void READ_HAND_OVER(EngineState& S, std::istream& consoleIn);

// A path of the hand-over file as used: trailing blanks trimmed.
std::string TrimmedPath(const std::string& path);

// Splits a path as "drive and directory" (up to the last separator) and "name and extension".
struct SplitPath {
    std::string directory;
    std::string fileName;
};
SplitPath SplitFilePath(const std::string& path);

} // namespace veldo
