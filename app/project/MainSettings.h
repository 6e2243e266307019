// The program's per-user settings. An INI file stands in for the registry key
// "SOFTWARE\Brislo\VELDO\2015.7.7": its group "2015.7.7" holds the values
// "Word Processor" (the text editor's path), "File1".."File10" (recent projects,
// most recent first) and "Update Host" (the web address the update check opens).
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace veldo {

class TMainSettings {
public:
    // The user's INI settings of organisation "Brislo", application "VELDO".
    TMainSettings();
    // An explicit INI file (tests use a temporary one).
    explicit TMainSettings(QString iniPath);

    static constexpr int RecentCapacity = 10;
    static const QString DefaultUpdateHost;

    // True when the settings group has been written before.
    bool KeyExists() const;
    // The stored editor path; empty when none is stored.
    QString EditorPath() const;
    // The ten recent entries in order (empty strings where none is stored);
    // nullopt when the settings cannot be read.
    std::optional<QStringList> RecentFiles() const;
    // The host of the update-check page; the default when none is configured.
    QString UpdateHost() const;
    // Any other text value of the group, trimmed; empty when none is stored.
    QString Text(const QString& name) const;

    // Writes the editor path and the ten recent entries; errors are ignored.
    void Write(const QString& editorPath, const QStringList& recentFiles) const;

    const QString& IniPath() const { return iniPath_; }

private:
    QString iniPath_;
};

} // namespace veldo
