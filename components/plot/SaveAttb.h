// "Save Attributes" dialog: size and resolution of the bitmap a plot is saved to.
#pragma once

#include <QDialog>

#include <optional>

class QImage;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace veldo {

// Numeric entry of the dialog: a typed expression with a lower and an upper bound.
struct TNumberEntry {
    QLabel *Label = nullptr;
    QLineEdit *Edit = nullptr;
    long double MinVal = 0;
    long double MaxVal = 0;
    bool IntegerOnly = false;
};

class TdlgFormat : public QDialog {
    Q_OBJECT
public:
    // Result of a bitmap that could not be allocated.
    static constexpr int kNoMemory = 3;

    // `bitmap` (not owned) is sized on OK.
    TdlgFormat(QWidget *owner, QImage *bitmap);

    TNumberEntry deHeight;
    TNumberEntry deWidth;
    TNumberEntry dePPI;
    QRadioButton *rbBlackWhite = nullptr;
    QRadioButton *rb16Colors = nullptr;
    QRadioButton *rb256Colors = nullptr;
    QRadioButton *rbHighColor = nullptr;
    QRadioButton *rbTrueColor = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;

    // Sizes the bitmap to round(ppi x height) by round(ppi x width) pixels and
    // closes with 1; a refused entry keeps the dialog open; a bitmap above 32767
    // pixels or one that cannot be allocated closes with 3.
    void btnOKClick();

private:
    void addEntry(TNumberEntry &entry, const QString &caption, const QString &text, long double min,
                  long double max, bool integerOnly);
    // The entry's value, or empty after showing why it is refused (focus goes to it).
    std::optional<long double> readEntry(TNumberEntry &entry);
    QImage *bitmap_;
};

} // namespace veldo
