#include "RecentFiles.h"

#include <QDir>

namespace veldo {

void TRecentFiles::Assign(const QStringList& entries)
{
    entries_.clear();
    for (const QString& entry : entries) {
        if (!entry.isEmpty() && entries_.size() < Capacity)
            entries_.push_back(entry);
    }
}

void TRecentFiles::Update(const QString& path)
{
    const qsizetype at = entries_.indexOf(path);
    if (at == 0)
        return;
    if (at > 0)
        entries_.removeAt(at);
    entries_.prepend(path);
    while (entries_.size() > Capacity)
        entries_.removeLast();
}

QStringList TRecentFiles::Padded() const
{
    QStringList padded = entries_;
    while (padded.size() < Capacity)
        padded.push_back(QString());
    return padded;
}

QString TRecentFiles::MenuText(int index, const QString& currentDir) const
{
    QString path = entries_.at(index);
    QString prefix = QDir::cleanPath(currentDir);
    if (!prefix.endsWith(QLatin1Char('/')))
        prefix += QLatin1Char('/');
    if (!currentDir.isEmpty() && path.startsWith(prefix))
        path = path.mid(prefix.size());
    return QStringLiteral("%1 %2").arg(index + 1).arg(path);
}

} // namespace veldo
