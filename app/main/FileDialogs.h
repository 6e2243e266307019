// The main window's Open and Save As dialogs behind one interface, so tests can
// answer them from a script.
#pragma once

#include "DialogFolders.h"

#include <QString>

#include <functional>
#include <optional>

class QFileDialog;
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
    // Filters are separated by "|" in pairs of description and pattern; the dialog
    // starts in `folder` (Open) or at `fileName` (SaveAs); nullopt on Cancel.
    virtual std::optional<TOpenChoice> Open(QWidget* parent, const QString& title, const QString& filter,
                                            const QString& defaultSuffix, const QString& folder) = 0;
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

// Qt's own open-file dialog for a program, starting at `fileName`, with the filters of
// `filter` (pairs as above): with the first one, "Programs", it lists folders and the
// files the user may run (the executable bit, which no name pattern can test); the
// others filter by name. The caller owns the dialog.
QFileDialog* NewProgramDialog(QWidget* parent, const QString& fileName, const QString& filter);

// Chooses a program in NewProgramDialog; nullopt on Cancel.
TFileBrowser ProgramFileBrowser(const QString& filter);

// A Browse button's click for a file of `kind`: the file the browser chooses, starting
// at the field's text (or where dialogs for that kind start when it is empty),
// replaces that text; Cancel keeps it.
void BrowseInto(QLineEdit& field, const TFileBrowser& browser, QWidget* parent, TFileKind kind);

} // namespace veldo
