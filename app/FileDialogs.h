// The main window's Open and Save As dialogs behind one interface, so tests can
// answer them from a script.
#pragma once

#include <QString>

#include <functional>
#include <optional>

class QLineEdit;
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

// Chooses an existing file, starting at `fileName`; nullopt on Cancel. What a
// window's Browse button asks (tests answer it themselves).
using TFileBrowser = std::function<std::optional<QString>(QWidget* parent, const QString& fileName)>;

// The standard open-file dialog with the filters of `filter` (pairs as above).
TFileBrowser StandardFileBrowser(const QString& filter);

// A Browse button's click: the file the browser chooses, starting at the field's
// text, replaces that text; Cancel keeps it.
void BrowseInto(QLineEdit& field, const TFileBrowser& browser, QWidget* parent);

} // namespace veldo
