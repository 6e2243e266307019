#include "Launchers.h"
#include "MessageCatalogue.h"

#include "Messages.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <array>
#include <memory>

namespace veldo {
namespace {

const QString CR = QStringLiteral("\r");
const QString DesktopOpener = QStringLiteral("xdg-open");

// Why a watched process failed; empty while it may still succeed.
QString processFailure(const QProcess& process, const QString& program)
{
    if (process.error() == QProcess::FailedToStart)
        return Msg(TMsg::LaunchNotStarted, program, process.errorString());
    if (process.state() != QProcess::NotRunning)
        return {};
    if (process.exitStatus() == QProcess::CrashExit)
        return Msg(TMsg::LaunchCrashed, program);
    if (process.exitCode() != 0)
        return Msg(TMsg::LaunchExitCode, program, QString::number(process.exitCode()));
    return {};
}

// Starts a program and watches it for its first second without blocking. The process
// object has no parent and is never destroyed while the process runs, so nothing
// ends the program when this one closes; its standard streams go to the null device.
bool startWatched(const QString& program, const QStringList& arguments, TLaunchFailed failed)
{
    auto* process = new QProcess;
    process->setProgram(program);
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    auto watched = std::make_shared<bool>(true);
    QObject::connect(process, &QProcess::finished, process, [process, program, failed, watched] {
        const QString reason = processFailure(*process, program);
        if (*watched && !reason.isEmpty())
            RunReportingErrors([&] { failed(reason); });
        *watched = false;
        process->deleteLater();
    });
    QTimer::singleShot(LaunchWatchMilliseconds, process, [watched] { *watched = false; });
    process->start();
    // Only the start itself is waited for (the exec of the program), never its end.
    if (process->waitForStarted())
        return true;
    *watched = false;
    QString reason = processFailure(*process, program);
    if (reason.isEmpty()) // not started within the wait: Qt names why
        reason = Msg(TMsg::LaunchNotStarted, program, process->errorString());
    delete process;
    failed(reason);
    return false;
}

class TDesktopShell final : public IShell {
public:
    bool OpenUrl(const QUrl& url, TLaunchFailed failed) override
    {
        return startWatched(DesktopOpener, {LaunchTarget(url)}, std::move(failed));
    }
    bool StartDetached(const QString& program, const QStringList& arguments, TLaunchFailed failed) override
    {
        return startWatched(program, arguments, std::move(failed));
    }

private:
    static QString LaunchTarget(const QUrl& url) { return url.isLocalFile() ? url.toLocalFile() : url.toString(); }
};

// Shows `text` and the line naming `target` and the reason when the launch fails.
TLaunchFailed showFailure(const QString& text, const QString& target)
{
    return [text, target](const QString& reason) {
        Messages().Information(text + CR + LaunchFailureLine(target, reason));
    };
}

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

QString LaunchFailureLine(const QString& target, const QString& reason)
{
    return target + QStringLiteral(": ") + reason;
}

bool LaunchEditor(IShell& shell, const QString& editorPath, const QString& file)
{
    TLaunchFailed failed = showFailure(Msg(TMsg::EditorError), file);
    return editorPath.isEmpty() ? shell.OpenUrl(QUrl::fromLocalFile(file), std::move(failed))
                                : shell.StartDetached(editorPath, QStringList{file}, std::move(failed));
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
    return shell.OpenUrl(QUrl::fromLocalFile(path), showFailure(Msg(TMsg::DocumentNotOpened, path), path));
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
    return shell.OpenUrl(url, showFailure(Msg(TMsg::PageNotOpened, url.toString()), url.toString()));
}

} // namespace veldo
