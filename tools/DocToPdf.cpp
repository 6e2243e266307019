// Builds a printable PDF from Markdown (or HTML) sources kept in the repository:
//
//   veldo_doc2pdf --title "Title" --output "Out.pdf" chapter1.md chapter2.md ...
//
// Each source is one chapter and starts on a new page; a title page with the
// list of chapters comes first. Markdown is read in the GitHub dialect (tables,
// inline HTML such as <sub> and <sup> for equations); a source ending in .html
// or .htm is read as HTML, without its navigation line (class "nav"). Images are
// looked up beside each source. Runs on the offscreen platform, so the build needs
// no display.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <cstdio>
#include <vector>

namespace {

struct Options {
    QString title;
    QString subtitle;
    QString output;
    QStringList sources;
};

void fail(const QString& message) { std::fprintf(stderr, "veldo_doc2pdf: %s\n", qPrintable(message)); }

bool parse(const QStringList& args, Options& o)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--title") && hasValue)
            o.title = args[++i];
        else if (a == QLatin1String("--subtitle") && hasValue)
            o.subtitle = args[++i];
        else if (a == QLatin1String("--output") && hasValue)
            o.output = args[++i];
        else if (a.startsWith(QLatin1String("--"))) {
            fail(QStringLiteral("unknown or incomplete option %1").arg(a));
            return false;
        } else
            o.sources << a;
    }
    if (o.output.isEmpty() || o.sources.isEmpty()) {
        fail(QStringLiteral("usage: veldo_doc2pdf --title TEXT [--subtitle TEXT] --output FILE.pdf SOURCE..."));
        return false;
    }
    return true;
}

bool readText(const QString& path, QString& text)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("cannot read %1").arg(path));
        return false;
    }
    text = QString::fromUtf8(f.readAll());
    return true;
}

// One chapter as a document of its own.
bool loadChapter(const QString& path, QTextDocument& chapter)
{
    QString text;
    if (!readText(path, text))
        return false;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm")) {
        // A help page's navigation line has no place on paper.
        static const QRegularExpression navigation(QStringLiteral("<p class=\"nav\">.*?</p>"),
                                                   QRegularExpression::DotMatchesEverythingOption);
        text.remove(navigation);
        chapter.setHtml(text);
    } else
        chapter.setMarkdown(text, QTextDocument::MarkdownDialectGitHub);
    return true;
}

// The first level-1 heading of a chapter, for the list of chapters.
QString chapterTitle(const QTextDocument& chapter)
{
    for (QTextBlock b = chapter.begin(); b.isValid(); b = b.next())
        if (b.blockFormat().headingLevel() == 1)
            return b.text();
    return {};
}

// Widest picture on the page, in the document's layout units (about 1/96 inch): the
// text width of a Letter page with the margins used below.
constexpr double kMaxImageWidth = 640.0;

// Images named with a relative path are looked up in the folders of the
// sources, in the order the sources were given, and added to the book; a picture
// wider than the text is scaled down to its width.
void addImages(QTextDocument& book, const QStringList& folders)
{
    struct Placed {
        int position;
        QTextImageFormat format;
    };
    std::vector<Placed> scaled;
    for (QTextBlock b = book.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.isImageFormat())
                continue;
            const QString name = f.toImageFormat().name();
            for (const QString& folder : folders) {
                const QString path = QDir(folder).filePath(name);
                if (QFileInfo(name).isRelative() && QFileInfo(path).isFile()) {
                    const QImage image(path);
                    book.addResource(QTextDocument::ImageResource, QUrl(name), image);
                    if (image.width() > kMaxImageWidth) {
                        QTextImageFormat format = f.toImageFormat();
                        format.setWidth(kMaxImageWidth);
                        format.setHeight(kMaxImageWidth * image.height() / image.width());
                        scaled.push_back({it.fragment().position(), format});
                    }
                    break;
                }
            }
        }
    for (const Placed& p : scaled) {
        QTextCursor cursor(&book);
        cursor.setPosition(p.position);
        cursor.setPosition(p.position + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(p.format);
    }
}

void startNewPage(QTextCursor& cursor)
{
    QTextBlockFormat f;
    f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.insertBlock(f);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Options o;
    if (!parse(QCoreApplication::arguments(), o))
        return 2;

    QTextDocument book;
    QStringList folders;
    QFont font(QStringLiteral("Liberation Serif"), 10);
    book.setDefaultFont(font);
    book.setDefaultStyleSheet(QStringLiteral("table { border-collapse: collapse; } th, td { padding: 3px; }"));
    QTextCursor cursor(&book);

    QList<QTextDocument*> chapters;
    QStringList titles;
    for (const QString& source : o.sources) {
        auto* chapter = new QTextDocument(&book);
        if (!loadChapter(source, *chapter))
            return 1;
        chapters << chapter;
        const QString folder = QFileInfo(source).absolutePath();
        if (!folders.contains(folder))
            folders << folder;
        titles << chapterTitle(*chapter);
    }

    // Title page and list of chapters.
    QString front = QStringLiteral("<p style=\"margin-top:120px\" align=\"center\"><span style=\"font-size:26pt; "
                                   "font-weight:bold\">%1</span></p>")
                        .arg(o.title.toHtmlEscaped());
    if (!o.subtitle.isEmpty())
        front += QStringLiteral("<p align=\"center\"><span style=\"font-size:14pt\">%1</span></p>")
                     .arg(o.subtitle.toHtmlEscaped());
    front += QStringLiteral("<p style=\"margin-top:60px\"><b>Contents</b></p><ol>");
    for (const QString& t : titles)
        if (!t.isEmpty())
            front += QStringLiteral("<li>%1</li>").arg(t.toHtmlEscaped());
    front += QStringLiteral("</ol>");
    cursor.insertHtml(front);

    for (QTextDocument* chapter : chapters) {
        startNewPage(cursor);
        cursor.insertFragment(QTextDocumentFragment(chapter));
    }

    addImages(book, folders);

    QDir().mkpath(QFileInfo(o.output).absolutePath());
    QPdfWriter writer(o.output);
    writer.setTitle(o.title);
    writer.setCreator(QStringLiteral("VELDO 2015"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                                     QPageLayout::Millimeter));
    writer.setResolution(300);
    book.print(&writer);
    if (!QFileInfo(o.output).isFile() || QFileInfo(o.output).size() == 0) {
        fail(QStringLiteral("no output written to %1").arg(o.output));
        return 1;
    }
    return 0;
}
