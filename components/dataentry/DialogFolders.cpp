#include "DialogFolders.h"

#include <QDir>
#include <QFileInfo>

#include <map>

namespace veldo {
namespace {

struct TDialogFolders {
    QString project;
    std::map<TFileKind, QString> used;
};

TDialogFolders& Folders()
{
    static TDialogFolders folders;
    return folders;
}

// The project's folder, or the home folder for a project never saved.
QString BaseFolder() { return Folders().project.isEmpty() ? QDir::homePath() : Folders().project; }

} // namespace

void SetProjectFolder(const QString& folder)
{
    Folders().project = folder.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

QString StartFolder(TFileKind kind)
{
    const auto used = Folders().used.find(kind);
    return used != Folders().used.end() ? used->second : BaseFolder();
}

QString StartPath(TFileKind kind, const QString& typedName)
{
    const QString name = typedName.trimmed();
    if (name.isEmpty())
        return StartFolder(kind);
    return QDir::cleanPath(QDir(BaseFolder()).absoluteFilePath(name));
}

void RememberChosenFile(TFileKind kind, const QString& file)
{
    if (!file.isEmpty())
        Folders().used[kind] = QDir::cleanPath(QFileInfo(file).absolutePath());
}

void ForgetDialogFolders() { Folders() = {}; }

} // namespace veldo
