// "Save To Disk..." as the user goes through it: the file dialog starts where bitmaps
// were last saved (before any, in the project's folder), and each colour choice of
// "Save Attributes" gives its bit count in the bitmap's header; printing to PDF starts
// where PDF files were last written.
#include "DialogFolders.h"
#include "Messages.h"
#include "PlotForm.h"
#include "PltData.h"
#include "PrintDialogs.h"
#include "SaveAttb.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace veldo {
namespace {

class BitmapSave : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ForgetDialogFolders();
        for (const char* folder : {"project", "pictures", "pdf"})
            ASSERT_TRUE(QDir(dir.path()).mkdir(QLatin1String(folder)));
        SetProjectFolder(Path("project"));
        plot.Caption = "Capacity";
        plot.SetCurveCount(2);
        plot.SetPointCount(3);
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 3; ++j)
                plot.CurvePoint(i, j) = {static_cast<long double>(j * (i + 1)), static_cast<long double>(j)};
        ASSERT_TRUE(plot.Execute());
        form = plot.PlotWindow();
        form->showNormal();
        form->resize(800, 600);
        QApplication::processEvents();
    }
    void TearDown() override
    {
        if (plot.PlotWindow())
            plot.PlotWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ForgetDialogFolders();
    }

    QString Path(const QString& name) const { return QDir::cleanPath(dir.filePath(name)); }

    // "Save To Disk..." answered with `file` and the colour radio chosen by `choose`;
    // returns the folder the file dialog started in.
    QString SaveAs(const QString& file, const std::function<QRadioButton*(TdlgFormat&)>& choose)
    {
        QString startedIn;
        QTimer::singleShot(0, [&] {
            auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(files, nullptr);
            startedIn = files->directory().absolutePath();
            QTimer::singleShot(0, [&] {
                auto* size = qobject_cast<TdlgFormat*>(QApplication::activeModalWidget());
                ASSERT_NE(size, nullptr);
                // By keyboard: quick clicks in a row would count as double clicks.
                QRadioButton* radio = choose(*size);
                radio->setFocus();
                QTest::keyClick(radio, Qt::Key_Space);
                size->btnOK->setFocus();
                QTest::keyClick(size->btnOK, Qt::Key_Space);
            });
            files->selectFile(file);
            QMetaObject::invokeMethod(files, "accept");
        });
        form->MenuItem("PlotSave")->trigger();
        return startedIn;
    }

    // Bits per pixel in the bitmap's header (file offset 28, 16 bits little-endian).
    static int BitCount(const QString& file)
    {
        QFile bmp(file);
        if (!bmp.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray header = bmp.read(30);
        if (header.size() < 30 || !header.startsWith("BM"))
            return -1;
        return static_cast<unsigned char>(header[28]) | (static_cast<unsigned char>(header[29]) << 8);
    }

    QTemporaryDir dir;
    TScopedMessageRecorder messages;
    TGraphPlot plot;
    TPlotForm* form = nullptr;
};

TEST_F(BitmapSave, EachColourChoiceWritesItsBitCount)
{
    struct TChoice {
        const char* file;
        std::function<QRadioButton*(TdlgFormat&)> radio;
        int bits;
    };
    const std::vector<TChoice> choices{
        {"bw.bmp", [](TdlgFormat& d) { return d.rbBlackWhite; }, 1},
        {"c16.bmp", [](TdlgFormat& d) { return d.rb16Colors; }, 4},
        {"c256.bmp", [](TdlgFormat& d) { return d.rb256Colors; }, 8},
        {"high.bmp", [](TdlgFormat& d) { return d.rbHighColor; }, 24},
        {"true.bmp", [](TdlgFormat& d) { return d.rbTrueColor; }, 24},
    };
    for (const TChoice& choice : choices) {
        const QString file = Path(QStringLiteral("pictures/") + QLatin1String(choice.file));
        SaveAs(file, choice.radio);
        EXPECT_EQ(BitCount(file), choice.bits) << choice.file;
        const QImage back(file, "BMP");
        EXPECT_EQ(back.size(), QSize(432, 288)) << choice.file; // 6 x 4 in at 72 ppi
    }
    EXPECT_TRUE(messages->Texts().empty());

    // The default, "16 Colors", keeps the curves' own colours: the first curve black,
    // the second blue.
    const QImage sixteen(Path(QStringLiteral("pictures/c16.bmp")), "BMP");
    bool blue = false;
    for (int y = 0; y < sixteen.height() && !blue; ++y)
        for (int x = 0; x < sixteen.width() && !blue; ++x)
            blue = sixteen.pixelColor(x, y) == QColor(0, 0, 255);
    EXPECT_TRUE(blue);
    EXPECT_LE(sixteen.colorCount(), 16);
    // Black and white keeps every curve: the blue one is black.
    const QImage bw(Path(QStringLiteral("pictures/bw.bmp")), "BMP");
    EXPECT_EQ(bw.colorCount(), 2);
}

TEST_F(BitmapSave, TheFileDialogStartsInTheProjectsFolderThenWhereBitmapsWentLast)
{
    const auto defaultColours = [](TdlgFormat& d) { return d.rb16Colors; };
    EXPECT_EQ(SaveAs(Path(QStringLiteral("pictures/a.bmp")), defaultColours), Path(QStringLiteral("project")));
    EXPECT_EQ(SaveAs(Path(QStringLiteral("project/b.bmp")), defaultColours), Path(QStringLiteral("pictures")));
    EXPECT_EQ(SaveAs(Path(QStringLiteral("c.bmp")), defaultColours), Path(QStringLiteral("project")));
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("c.bmp"))));

    // A project never saved: the home folder.
    ForgetDialogFolders();
    EXPECT_EQ(SaveAs(Path(QStringLiteral("d.bmp")), defaultColours), QDir::homePath());
}

TEST_F(BitmapSave, PrintingToPdfStartsWhereTheLastPdfWent)
{
    TScopedPrintDialogs printing;
    printing->PdfFile = Path(QStringLiteral("pdf/plot.pdf"));
    form->MenuItem("PlotPrint")->trigger();
    EXPECT_EQ(printing->PdfFolder, Path(QStringLiteral("project")));
    ASSERT_TRUE(QFile::exists(printing->PdfFile));
    form->MenuItem("PlotPrint")->trigger();
    EXPECT_EQ(printing->PdfFolder, Path(QStringLiteral("pdf")));
    // A bitmap saved meanwhile does not move where PDF files go.
    SaveAs(Path(QStringLiteral("pictures/e.bmp")), [](TdlgFormat& d) { return d.rbTrueColor; });
    form->MenuItem("PlotPrint")->trigger();
    EXPECT_EQ(printing->PdfFolder, Path(QStringLiteral("pdf")));
}

} // namespace
} // namespace veldo
