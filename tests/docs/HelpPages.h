// Reading the help pages and the manuals' PDF text for the documentation tests.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <cstdio>

namespace veldo::test {

inline QString ReadText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// The help pages of the repository (not the contents page), in file-name order.
inline QStringList SourcePages()
{
    const QDir dir(QStringLiteral(VELDO_DOCS_DIR "/help/VELDO_2015"));
    QStringList pages;
    for (const QString& name : dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name))
        pages << dir.filePath(name);
    return pages;
}

// Text as a reader sees it: tags removed, entities decoded, blanks and line ends
// collapsed to single blanks.
inline QString Normalized(QString text)
{
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    text.remove(tag);
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    text.replace(QChar(0x2019), QLatin1Char('\'')); // typographic apostrophe of pdftotext
    text.replace(blanks, QStringLiteral(" "));
    return text.trimmed();
}

// The first level-1 heading of a page.
inline QString PageTitle(const QString& html)
{
    static const QRegularExpression h1(QStringLiteral("<h1[^>]*>(.*?)</h1>"),
                                       QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = h1.match(html);
    return m.hasMatch() ? Normalized(m.captured(1)) : QString();
}

// The targets of every href and src of a page.
inline QStringList Links(const QString& html)
{
    static const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"]+)\""));
    QStringList links;
    for (auto it = link.globalMatch(html); it.hasNext();)
        links << it.next().captured(1);
    return links;
}

// The page title that describes a window: its caption without access-key marks,
// a trailing layer number written as "n".
inline QString WindowPageTitle(QString caption)
{
    static const QRegularExpression number(QStringLiteral("\\s\\d+$"));
    caption.remove(QLatin1Char('&'));
    caption = Normalized(caption);
    caption.replace(number, QStringLiteral(" n"));
    return caption;
}

// The text of a PDF as pdftotext gives it (empty when it cannot be read).
inline QString PdfText(const QString& pdf)
{
    QByteArray text;
    const QByteArray command = "pdftotext -enc UTF-8 '" + QFile::encodeName(pdf) + "' - 2>/dev/null";
    if (FILE* p = popen(command.constData(), "r")) {
        char buf[4096];
        for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;)
            text.append(buf, static_cast<qsizetype>(n));
        pclose(p);
    }
    return QString::fromUtf8(text);
}

} // namespace veldo::test
