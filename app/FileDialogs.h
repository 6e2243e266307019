// The main window's Open and Save As dialogs behind one interface, so tests can
// answer them from a script.
#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace veldo {

struct TOpenChoice {
    QString path;
    int filterIndex = 1; // 1-based position of the chosen filter
};

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // Filters are separated by "|" in pairs of description and pattern; nullopt on Cancel.
    virtual std::optional<TOpenChoice> Open(QWidget* parent, const QString& title, const QString& filter,
                                            const QString& defaultSuffix) = 0;
    virtual std::optional<QString> SaveAs(QWidget* parent, const QString& title, const QString& filter,
                                          const QString& defaultSuffix, const QString& fileName) = 0;
};

// QFileDialog.
IFileDialogs& StandardFileDialogs();

// "Name(*.x)|*.x;*.y|Other(*.*)|*.*" as the descriptions Qt shows, one per filter.
QStringList QtFilters(const QString& filter);

// The standard dialog that opens an existing file of `filter` (pairs as above),
// starting at `fileName`; nullopt on Cancel.
std::optional<QString> BrowseForFile(QWidget* parent, const QString& fileName, const QString& filter);

} // namespace veldo
