// File names with letters beyond ASCII reach the same file from both sides.
#include "FilePaths.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace veldo {
namespace {

TEST(FilePaths, ANameTheUserTypedNamesTheSameFileBothWays)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString name = folder.filePath(QStringLiteral("Pfahl Länge 45 ft – Ø 0,6 m.vd7d"));
    const std::filesystem::path path = FileSystemPath(name);
    std::ofstream(path) << "x";
    EXPECT_TRUE(QFile::exists(name));
    EXPECT_EQ(PathText(path), name);
    EXPECT_EQ(path.filename().string(), "Pfahl L\xC3\xA4nge 45 ft \xE2\x80\x93 \xC3\x98 0,6 m.vd7d");
}

} // namespace
} // namespace veldo
