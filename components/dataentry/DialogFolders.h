// Where the program's file dialogs start: in the folder last used for the same kind of
// file while the program runs; before any, in the open project's folder; for a project
// never saved, in the user's home folder; never in the program's working folder.
#pragma once

#include <QString>

namespace veldo {

enum class TFileKind { Project, Bitmap, Pdf, CptData, Program };

// The open project's folder; empty for a project never saved.
void SetProjectFolder(const QString& folder);

// The folder a dialog for `kind` starts in.
QString StartFolder(TFileKind kind);

// Where a dialog for `kind` starts when a box holds `typedName`: that file (a relative
// name taken in the project's folder, else the home folder) when a name is entered,
// else StartFolder(kind).
QString StartPath(TFileKind kind, const QString& typedName);

// A file chosen in a dialog for `kind` (or a project opened): its folder is where the
// next dialog for that kind starts.
void RememberChosenFile(TFileKind kind, const QString& file);

// Forgets every folder (a new run of the program; tests).
void ForgetDialogFolders();

} // namespace veldo
