// Result codes of the plot's dialogs besides QDialog::Accepted (OK).
#pragma once

namespace veldo {

// Closed with Cancel: nothing the dialog edits is applied.
inline constexpr int kDialogCancelled = 2;

} // namespace veldo
