// The built Technical Manual: every chapter of its sources, and every value of
// the worked examples' check tables, is found in the PDF's text (pdftotext).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "HelpPages.h"
#include "ManualChecks.h"

namespace veldo::test {
namespace {

const std::string kManual = VELDO_BIN_DIR "/VELDO 2015 Technical Manual.pdf";

TEST(TechnicalManualTest, EveryChapterTitleAndCheckValueIsInThePdf)
{
    ASSERT_TRUE(std::filesystem::is_regular_file(kManual)) << kManual;
    const std::string text = PdfText(QString::fromStdString(kManual)).toStdString();
    ASSERT_FALSE(text.empty()) << "pdftotext gave no text (is poppler-utils installed?)";

    std::vector<std::string> titles;
    for (const ManualChapter& chapter : readManualChapters(VELDO_DOCS_DIR "/technical")) {
        EXPECT_FALSE(chapter.title.empty()) << chapter.source << " has no chapter title";
        EXPECT_NE(text.find(chapter.title), std::string::npos) << chapter.title;
        titles.push_back(chapter.title);
        for (const ManualCheck& c : chapter.checks) {
            EXPECT_NE(text.find(c.key), std::string::npos) << c.source << ": " << c.key;
            EXPECT_NE(text.find(c.value), std::string::npos) << c.source << ": " << c.key << " " << c.value;
        }
    }

    // One chapter per design method and the load-settlement analysis.
    for (const char* method : {"FHWA Method", "USACE Method", "Revised Lambda Method", "API RP-2A Method",
                               "User-Specified Load Transfer Method", "NGI Method", "ICP/MTD Method", "Fugro Method",
                               "UWA Method", "Load-Settlement Analysis", "Friction Angle from SPT Blow Count"})
        EXPECT_NE(std::find(titles.begin(), titles.end(), method), titles.end()) << method;
}

} // namespace
} // namespace veldo::test
