// Page-setup dialog component: runs the system page-setup dialog for a printer
// and keeps the margins chosen.
#pragma once

#include <QObject>

class QPrinter;
class QWidget;

namespace veldo {

enum class TPageSetupFlags : unsigned {
    poDefaultMinMargins = 1u << 0,
    poDisableMargins = 1u << 1,
    poMargins = 1u << 2,
    poMinMargins = 1u << 3,
    poDisableOrientation = 1u << 4,
    poDisablePaper = 1u << 5,
    poDisablePrinter = 1u << 6,
    poHundredthsOfMillimeters = 1u << 7,
    poThousandthsOfInches = 1u << 8,
};

// A set of TPageSetupFlags.
class TPageOptions {
public:
    TPageOptions() = default;
    TPageOptions(std::initializer_list<TPageSetupFlags> flags);
    bool Has(TPageSetupFlags f) const { return (bits_ & static_cast<unsigned>(f)) != 0; }
    TPageOptions With(TPageSetupFlags f) const;
    TPageOptions Without(TPageSetupFlags f) const;
    unsigned Bits() const { return bits_; }
    bool operator==(const TPageOptions&) const = default;

private:
    unsigned bits_ = 0;
};

class TPageSetupDialog : public QObject {
    Q_OBJECT
public:
    explicit TPageSetupDialog(QObject* owner = nullptr);

    TPageOptions Options() const { return options_; }
    // A newly added member of (poDefaultMinMargins, poMinMargins) or of
    // (poHundredthsOfMillimeters, poThousandthsOfInches) removes its partner.
    void SetOptions(TPageOptions options);
    // The system dialog's flag word of the options (without the hook flag).
    unsigned FlagWord() const { return flags_; }

    int MarginLeft() const { return marginLeft_; }
    int MarginTop() const { return marginTop_; }
    int MarginRight() const { return marginRight_; }
    int MarginBottom() const { return marginBottom_; }
    // Each stores the larger of the value and its minimum margin.
    void SetMarginLeft(int v);
    void SetMarginTop(int v);
    void SetMarginRight(int v);
    void SetMarginBottom(int v);

    int MinMarginLeft() const { return minLeft_; }
    int MinMarginTop() const { return minTop_; }
    int MinMarginRight() const { return minRight_; }
    int MinMarginBottom() const { return minBottom_; }
    // Each stores the smaller of the value and its margin.
    void SetMinMarginLeft(int v);
    void SetMinMarginTop(int v);
    void SetMinMarginRight(int v);
    void SetMinMarginBottom(int v);

    int PaperLength() const { return paperLength_; }
    int PaperWidth() const { return paperWidth_; }

    // The printer the dialog sets up (not owned); none gives "Printer not Assigned".
    void SetPrinter(QPrinter* printer) { printer_ = printer; }
    // Runs the dialog; True when the user confirmed it.
    bool Execute(QWidget* parent = nullptr);

private:
    // Unit of the margins: thousandths of an inch or hundredths of a millimetre.
    double unitsPerMillimetre() const;
    void runDialog(QWidget* parent);

    TPageOptions options_;
    unsigned flags_ = 0;
    int marginLeft_ = 0, marginTop_ = 0, marginRight_ = 0, marginBottom_ = 0;
    int minLeft_ = 0, minTop_ = 0, minRight_ = 0, minBottom_ = 0;
    int paperLength_ = 0, paperWidth_ = 0;
    QPrinter* printer_ = nullptr;
    bool accepted_ = false;
};

} // namespace veldo
