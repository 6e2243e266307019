// "Save Attributes" dialog: size and resolution of the bitmap a plot is saved to.
#pragma once

#include "DataEdit.h"
#include "PrintOutput.h"

#include <QDialog>

class QImage;
class QLabel;
class QPushButton;
class QRadioButton;

namespace veldo {

// Numeric entry field of the dialog with its label.
struct TNumberEntry {
    QLabel* Label = nullptr;
    TDataEdit* Edit = nullptr;
};

class TdlgFormat : public QDialog {
    Q_OBJECT
public:
    // Result of a bitmap that could not be allocated.
    static constexpr int kNoMemory = 3;

    // `bitmap` (not owned) is sized on OK.
    TdlgFormat(QWidget* owner, QImage* bitmap);

    TNumberEntry deHeight;
    TNumberEntry deWidth;
    TNumberEntry dePPI;
    QRadioButton* rbBlackWhite = nullptr;
    QRadioButton* rb16Colors = nullptr;
    QRadioButton* rb256Colors = nullptr;
    QRadioButton* rbHighColor = nullptr;
    QRadioButton* rbTrueColor = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    // Sizes the bitmap to round(ppi x height) by round(ppi x width) pixels and
    // closes accepted; a refused entry keeps the dialog open; a bitmap above 32767
    // pixels or one that cannot be allocated closes with kNoMemory.
    void btnOKClick();
    // The resolution chosen (the entry's number rounded; 72 until edited).
    int PixelsPerInch() const;
    // The colours chosen ("16 Colors" until another is checked).
    TBitmapColors Colors() const;

private:
    void addEntry(TNumberEntry& entry, const QString& caption, const QString& unitsString, const QString& text,
                  long double min, long double max, bool integerOnly);
    QImage* bitmap_;
};

} // namespace veldo
