// File names between the user's side (QString, as dialogs and messages have them) and
// the file system's (std::filesystem::path, the bytes the system stores).
#pragma once

#include <QString>

#include <filesystem>

namespace veldo {

// The path of a file name that a dialog gave or the user typed.
std::filesystem::path FileSystemPath(const QString& fileName);

// The file name of a path, for messages and dialogs.
QString PathText(const std::filesystem::path& path);

} // namespace veldo
