// The help as the build installs it beside the program, and the User's Manual:
// every link resolves, every page is reachable from the contents, every input
// window of the program has its page, and the PDF holds every page's title.
#include <gtest/gtest.h>

#include "../app/MainTestSupport.h"
#include "HelpPages.h"
#include "Main.h"
#include "MessageCatalogue.h"
#include "Messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <set>

namespace veldo::test {
namespace {

const QString kInstalledHelp = QStringLiteral(VELDO_BIN_DIR "/VELDO_2015.html");

TEST(HelpTest, EveryLinkResolvesAndEveryPageIsInTheContents)
{
    ASSERT_TRUE(QFileInfo(kInstalledHelp).isFile()) << kInstalledHelp.toStdString();
    const QDir pagesDir(QStringLiteral(VELDO_BIN_DIR "/VELDO_2015"));
    QStringList files{kInstalledHelp};
    for (const QString& name : pagesDir.entryList({QStringLiteral("*.html")}, QDir::Files))
        files << pagesDir.filePath(name);
    ASSERT_GT(files.size(), 10);

    std::set<QString> linked;
    for (const QString& file : files) {
        const QString html = ReadText(file);
        EXPECT_FALSE(PageTitle(html).isEmpty()) << file.toStdString() << " has no <h1>";
        for (const QString& link : Links(html)) {
            if (link.contains(QLatin1Char(':')))
                continue; // no page links outside the help
            const QString target = link.section(QLatin1Char('#'), 0, 0);
            const QString anchor = link.section(QLatin1Char('#'), 1);
            const QString path = target.isEmpty()
                                     ? QFileInfo(file).canonicalFilePath()
                                     : QFileInfo(QFileInfo(file).dir().filePath(target)).canonicalFilePath();
            ASSERT_FALSE(path.isEmpty()) << file.toStdString() << ": " << link.toStdString();
            linked.insert(path);
            if (!anchor.isEmpty()) {
                EXPECT_TRUE(ReadText(path).contains(QStringLiteral("id=\"%1\"").arg(anchor)))
                    << file.toStdString() << ": " << link.toStdString();
            }
        }
    }
    for (const QString& file : files.mid(1))
        EXPECT_TRUE(linked.count(QFileInfo(file).canonicalFilePath())) << file.toStdString() << " is linked nowhere";
    // The contents page links every page directly.
    const QString contents = ReadText(kInstalledHelp);
    for (const QString& name : pagesDir.entryList({QStringLiteral("*.html")}, QDir::Files))
        EXPECT_TRUE(contents.contains(QStringLiteral("href=\"VELDO_2015/") + name)) << name.toStdString();
}

TEST(HelpTest, TheUsersManualHoldsEveryPageTitle)
{
    const QString pdf = QStringLiteral(VELDO_BIN_DIR "/VELDO 2015 Users Manual.pdf");
    ASSERT_TRUE(QFileInfo(pdf).isFile()) << pdf.toStdString();
    const QString text = Normalized(PdfText(pdf));
    ASSERT_FALSE(text.isEmpty()) << "pdftotext gave no text (is poppler-utils installed?)";
    EXPECT_TRUE(text.contains(QStringLiteral("VELDO 2015 User's Manual")));
    for (const QString& page : SourcePages())
        EXPECT_TRUE(text.contains(Normalized(PageTitle(ReadText(page))))) << page.toStdString();
}

// The fixed parts of a message text: split at its placeholders (%1 ... or {}) and
// line breaks, trimmed, empty parts dropped.
QStringList FixedParts(const QString& text)
{
    static const QRegularExpression split(QStringLiteral("%\\d|\\{\\}|[\\r\\n|]"));
    QStringList parts;
    for (const QString& part : text.split(split, Qt::SkipEmptyParts))
        if (!Normalized(part).isEmpty())
            parts << Normalized(part);
    return parts;
}

TEST(HelpTest, EveryFixedPartOfEveryCatalogueMessageIsInTheHelp)
{
    const QString help = Normalized(ReadText(QStringLiteral(VELDO_DOCS_DIR "/help/VELDO_2015/messages.html")));
    ASSERT_FALSE(help.isEmpty());
    for (const TMessageEntry& entry : MessageCatalogue)
        for (const QString& part : FixedParts(QString::fromUtf16(entry.text)))
            EXPECT_TRUE(help.contains(part)) << "messages.html lacks: " << part.toStdString();
}

TEST(HelpTest, EveryEngineStopMessageIsInTheHelp)
{
    const QString help = Normalized(ReadText(QStringLiteral(VELDO_DOCS_DIR "/help/VELDO_2015/messages.html")));
    const QStringList lines =
        ReadText(QStringLiteral(VELDO_TEST_DATA_DIR "/../engine/StopMessages.txt")).split(QLatin1Char('\n'));
    int messages = 0;
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        ++messages;
        for (const QString& part : FixedParts(line.section(QLatin1Char(':'), 1)))
            EXPECT_TRUE(help.contains(part)) << "messages.html lacks: " << part.toStdString();
    }
    EXPECT_GT(messages, 10);
}

// Opens every window that the Data, Options and Computation menus open (both pile
// shapes) and the layer window of the Soil Layers window, and keeps their captions.
class InputWindowCaptions {
public:
    // Works on a copy of the example: closing the windows commits their values.
    explicit InputWindowCaptions(const QString& example)
    {
        const QString project = dir_.filePath(QFileInfo(example).fileName());
        QFile::copy(example, project);
        TMainFormOptions options;
        options.settingsFile = dir_.filePath(QStringLiteral("VELDO.ini"));
        options.programDir = dir_.path();
        options.arguments = {project};
        options.fileDialogs = &dialogs_;
        options.shell = &shell_;
        form_ = std::make_unique<TMainForm>(std::move(options));
        form_->show();
    }

    ~InputWindowCaptions()
    {
        form_.reset();
        QDir::setCurrent(startDir_); // the program works in the project's folder
    }

    std::set<QString> Collect()
    {
        for (const bool circular : {true, false}) {
            form_->Action(circular ? QStringLiteral("OptionsCircular") : QStringLiteral("OptionsNonCircular"))
                ->trigger();
            for (const char* menu : {"DataMenu", "OptionsMenu", "ComputationMenu"})
                OpenAll(*form_->Menu(QString::fromLatin1(menu)));
        }
        return captions_;
    }

private:
    void OpenAll(QMenu& menu)
    {
        emit menu.aboutToShow(); // the enabling of the items
        for (QAction* item : menu.actions()) {
            if (item->menu()) {
                OpenAll(*item->menu());
                continue;
            }
            if (item->isSeparator() || !item->isEnabled() || item->objectName() == QLatin1String("CompRun"))
                continue;
            item->trigger();
            QApplication::processEvents();
            QMdiSubWindow* child = form_->MdiArea()->activeSubWindow();
            if (!child)
                continue; // a command, not a window
            captions_.insert(child->widget()->windowTitle());
            if (item->objectName() == QLatin1String("DataSoilLayers"))
                OpenLayerWindow(*child->widget());
            child->close();
            QApplication::processEvents();
        }
    }

    // The layer window is modal: its caption is read once it is up.
    void OpenLayerWindow(QWidget& soilLayers)
    {
        for (QAbstractButton* button : soilLayers.findChildren<QAbstractButton*>()) {
            if (!button->text().startsWith(QLatin1String("Edit Layer")))
                continue;
            QTimer::singleShot(0, [this] {
                if (QWidget* layer = QApplication::activeModalWidget()) {
                    captions_.insert(layer->windowTitle());
                    layer->close();
                }
            });
            button->click();
            return;
        }
        ADD_FAILURE() << "the Soil Layers window shows no layer button";
    }

    QString startDir_ = QDir::currentPath();
    QTemporaryDir dir_;
    TScriptedFileDialogs dialogs_;
    TRecordingShell shell_;
    std::unique_ptr<TMainForm> form_;
    std::set<QString> captions_;
};

TEST(HelpTest, EveryInputWindowHasItsPage)
{
    TScopedMessageRecorder messages;
    std::set<QString> titles;
    for (const QString& page : SourcePages())
        titles.insert(Normalized(PageTitle(ReadText(page))));

    const std::set<QString> captions =
        InputWindowCaptions(QStringLiteral(VELDO_EXAMPLES_DIR "/PipeSandClay_English.vd7d")).Collect();
    EXPECT_GE(captions.size(), 12u);
    for (const QString& caption : captions)
        EXPECT_TRUE(titles.count(WindowPageTitle(caption)))
            << "no help page for the window \"" << caption.toStdString() << "\"";
}

} // namespace
} // namespace veldo::test
