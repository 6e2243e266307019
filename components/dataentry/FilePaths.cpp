#include "FilePaths.h"

#include <QFile>

namespace veldo {

std::filesystem::path FileSystemPath(const QString& fileName)
{
    return std::filesystem::path(QFile::encodeName(fileName).toStdString());
}

QString PathText(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

} // namespace veldo
