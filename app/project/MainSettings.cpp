#include "MainSettings.h"

#include <QSettings>

namespace veldo {
namespace {

const QString kGroup = QStringLiteral("2015.7.7");
const QString kEditor = QStringLiteral("Word Processor");
const QString kUpdateHost = QStringLiteral("Update Host");

QString RecentKey(int n) { return QStringLiteral("File%1").arg(n); }

QString DefaultIniPath()
{
    const QSettings user(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Brislo"), QStringLiteral("VELDO"));
    return user.fileName();
}

} // namespace

// No update-check host is built in: it is configured in the settings ("Update Host").
const QString TMainSettings::DefaultUpdateHost;

TMainSettings::TMainSettings() : iniPath_(DefaultIniPath()) {}

TMainSettings::TMainSettings(QString iniPath) : iniPath_(std::move(iniPath)) {}

bool TMainSettings::KeyExists() const
{
    const QSettings ini(iniPath_, QSettings::IniFormat);
    return ini.childGroups().contains(kGroup);
}

QString TMainSettings::EditorPath() const
{
    QSettings ini(iniPath_, QSettings::IniFormat);
    return ini.value(kGroup + QLatin1Char('/') + kEditor).toString();
}

std::optional<QStringList> TMainSettings::RecentFiles() const
{
    QSettings ini(iniPath_, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError)
        return std::nullopt;
    QStringList files;
    for (int n = 1; n <= RecentCapacity; ++n)
        files.push_back(ini.value(kGroup + QLatin1Char('/') + RecentKey(n)).toString());
    return files;
}

QString TMainSettings::UpdateHost() const
{
    QSettings ini(iniPath_, QSettings::IniFormat);
    const QString host = ini.value(kGroup + QLatin1Char('/') + kUpdateHost).toString().trimmed();
    return host.isEmpty() ? DefaultUpdateHost : host;
}

QString TMainSettings::Text(const QString& name) const
{
    QSettings ini(iniPath_, QSettings::IniFormat);
    return ini.value(kGroup + QLatin1Char('/') + name).toString().trimmed();
}

void TMainSettings::Write(const QString& editorPath, const QStringList& recentFiles) const
{
    QSettings ini(iniPath_, QSettings::IniFormat);
    ini.beginGroup(kGroup);
    ini.setValue(kEditor, editorPath);
    for (int n = 1; n <= RecentCapacity; ++n)
        ini.setValue(RecentKey(n), n <= recentFiles.size() ? recentFiles[n - 1] : QString());
    ini.endGroup();
    ini.sync();
}

} // namespace veldo
