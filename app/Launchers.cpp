#include "Launchers.h"
#include "MessageCatalogue.h"

#include "Messages.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <array>

namespace veldo {
namespace {

class TDesktopShell final : public IShell {
public:
    bool OpenUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }
    bool StartDetached(const QString& program, const QStringList& arguments) override
    {
        return QProcess::startDetached(program, arguments);
    }
};

// Two digits with a leading zero.
QString TwoDigits(int value)
{
    std::array<char, 4> text{};
    const int v = value % 100;
    text[0] = static_cast<char>('0' + v / 10);
    text[1] = static_cast<char>('0' + v % 10);
    return QString::fromLatin1(text.data(), 2);
}

} // namespace

IShell& DesktopShell()
{
    static TDesktopShell shell;
    return shell;
}

bool LaunchEditor(IShell& shell, const QString& editorPath, const QString& file)
{
    const bool started = editorPath.isEmpty() ? shell.OpenUrl(QUrl::fromLocalFile(file))
                                              : shell.StartDetached(editorPath, QStringList{file});
    if (!started)
        Messages().Information(Msg(TMsg::EditorError));
    return started;
}

QString HelpDocumentName(THelpDocument document)
{
    switch (document) {
    case THelpDocument::Contents:
        return QStringLiteral("VELDO_2015.html");
    case THelpDocument::UsersManual:
        return QStringLiteral("VELDO 2015 Users Manual.pdf");
    case THelpDocument::TechnicalManual:
        return QStringLiteral("VELDO 2015 Technical Manual.pdf");
    }
    return {};
}

bool OpenHelpDocument(IShell& shell, const QString& programDir, THelpDocument document)
{
    const QString path = QDir(programDir).filePath(HelpDocumentName(document));
    if (!QFileInfo(path).isFile()) {
        Messages().Information(Msg(TMsg::HelpFileMissing, path));
        return false;
    }
    if (!shell.OpenUrl(QUrl::fromLocalFile(path))) {
        Messages().Information(Msg(TMsg::DocumentNotOpened, path));
        return false;
    }
    return true;
}

QUrl UpdateCheckUrl(const QString& host, const QDate& date)
{
    QString base = host;
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    const QString dateField =
        TwoDigits(date.month()) + QLatin1Char('/') + TwoDigits(date.day()) + QLatin1Char('/') + TwoDigits(date.year());
    const QString query = QStringLiteral("VELDOO;2015.7.7;05/10/17;") + dateField;
    return QUrl(base + QStringLiteral("/checkupdates/check/check.php?") + query, QUrl::TolerantMode);
}

bool OpenUpdateCheck(IShell& shell, const QString& host, const QDate& date)
{
    if (host.trimmed().isEmpty()) {
        Messages().Information(Msg(TMsg::UpdateHostMissing));
        return false;
    }
    const QUrl url = UpdateCheckUrl(host, date);
    if (!shell.OpenUrl(url)) {
        Messages().Information(Msg(TMsg::PageNotOpened, url.toString()));
        return false;
    }
    return true;
}

} // namespace veldo
