// Helpers of the project-file tests: a temporary folder, file text by lines, a layered
// project used by several tests, and a text dump of every number of a project.
#pragma once

#include "ColumnTypes.h"
#include "DataUnit.h"
#include "NumText.h"
#include "PltData.h"
#include "Table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veldo::test {

inline std::string ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

inline void WriteBytes(const QString& path, const std::string& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.data(), static_cast<qint64>(text.size()));
}

// Lines of a CR LF text; every line must end with CR LF.
inline std::vector<std::string> CrLfLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "line without CR LF at byte " << start;
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

inline std::string TestDataPath(const std::string& name) { return std::string(VELDO_TEST_DATA_DIR) + "/" + name; }

// One project value per line with `digits` significant digits: every scalar, every cell
// of every table (nested layer tables included) and every CPT point.
std::string DumpProject(const TProgramData& data, const TProjectTables& tables, int digits = 15);

// Reads the project text as a file of the given generation in `folder` (with the CPT
// text as the CPT file beside it when not empty), saves it, reopens the saved file and
// saves that again. Empty when the saved file reads back completely, the reopened
// project equals the saved one to 10 significant digits and the second save writes
// the same bytes; else what differs. Exceptions go to the caller.
std::string SaveReopenMismatch(const QString& folder, int generation, const std::string& projectText,
                               const std::string& cptText);

// A layered English project: sand, clay and silt layers, t-z depths, a non-constant
// cross section and three CPT points (the user load transfer method is selected, so
// the user unit values are kept).
TProgramData MakeLayeredProject(TProjectTables& tables);

// Fixture: a temporary folder for the files of one test.
class ProjectFileTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

} // namespace veldo::test
