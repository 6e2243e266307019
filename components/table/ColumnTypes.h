// The five column classes of a grid table and their stream codes: TEnumColumn (0),
// TIntColumn (1), TFloatColumn (2), TTableColumn (3), TStringColumn (4).
#pragma once

#include "GridTableList.h"
#include "Table.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace veldo {

enum TColumnTypeCode {
    kEnumColumnCode = 0,
    kIntColumnCode = 1,
    kFloatColumnCode = 2,
    kTableColumnCode = 3,
    kStringColumnCode = 4
};

// Registers the five classes with codes 0 to 4 (done on first use of the registry).
void RegisterStandardColumnTypes();

// Parses a numeric cell text: "Entry cannot be blank." for an empty text, the
// evaluator's messages unchanged, else the text + " is not a valid number.".
long double EvaluateCellText(const QString& text);

// The cells of the enumeration and integer columns: a whole number per row.
class TIntegerCells : public TColumn {
public:
    int CellCount() const override { return static_cast<int>(values_.size()); }
    // New rows hold NewCellValue.
    void InsertRows(int index, int count) override;
    void DeleteRow(int index) override;
    int AsInteger(int row) const override;
    void SetInteger(int row, int value) override;
    QString AsText(int row) const override;

protected:
    // With `onlyNewValues`, setting the value a row already has changes nothing (the
    // row is not reported changed).
    explicit TIntegerCells(bool onlyNewValues) : onlyNewValues_(onlyNewValues) {}
    virtual int NewCellValue() const = 0;

private:
    bool onlyNewValues_;
    std::vector<int> values_;
};

// A choice per row, stored as its 1-based item number; edited with a drop-down list.
// Setting the choice a row already has changes nothing: a selector's nested table is
// made again only for a new choice.
class TEnumColumn final : public TIntegerCells {
public:
    QStringList items;

    TEnumColumn() : TIntegerCells(true) {}
    static std::unique_ptr<TColumn> CreateFromReader(TColumnStreamReader& reader, TGridTable& table);

    // "Value must be an integer." unless a whole number in the 32-bit range.
    void SetText(int row, const QString& text) override;
    int ColumnWidth(const QFontMetrics& metrics, int pixelsPerInch) const override;
    void WriteData(TColumnStreamWriter& writer) const override;
    bool NeedsControls() const override { return true; }
    QWidget* CreateControl(int row, QWidget* parent) override;
    std::unique_ptr<TColumn> Clone() const override;

protected:
    // The first item.
    int NewCellValue() const override { return 1; }
};

// A whole number per row within [minimum, maximum] (checked while the editor is open).
class TIntColumn final : public TIntegerCells {
public:
    int defaultValue = 0;
    int minimum = 0;
    int maximum = 0;

    TIntColumn() : TIntegerCells(false) {}
    static std::unique_ptr<TColumn> CreateFromReader(TColumnStreamReader& reader, TGridTable& table);

    void SetText(int row, const QString& text) override;
    int ColumnWidth(const QFontMetrics& metrics, int pixelsPerInch) const override;
    void WriteData(TColumnStreamWriter& writer) const override;
    std::unique_ptr<TColumn> Clone() const override;

protected:
    int NewCellValue() const override { return defaultValue; }
};

// An 80-bit real per row with a unit template; shown with 8 significant digits, kept
// and handed out (AsFloat) at full precision.
class TFloatColumn final : public TColumn {
public:
    bool topDepth = false;
    QString unitTemplate;
    long double defaultValue = 0.0L;

    static std::unique_ptr<TColumn> CreateFromReader(TColumnStreamReader& reader, TGridTable& table);

    int CellCount() const override { return static_cast<int>(values_.size()); }
    void InsertRows(int index, int count) override;
    void DeleteRow(int index) override;
    QString GetHeading(int line) const override;
    long double AsFloat(int row) const override;
    void SetFloat(int row, long double value) override;
    QString AsText(int row) const override;
    void SetText(int row, const QString& text) override;
    int ColumnWidth(const QFontMetrics& metrics, int pixelsPerInch) const override;
    void SetUnits(TUnitSystem fromUnits, TUnitSystem toUnits) override;
    void WriteData(TColumnStreamWriter& writer) const override;
    std::unique_ptr<TColumn> Clone() const override;

private:
    TFloatColumn* NeighbourFloat(int offset) const;
    void Store(int row, long double value);

    std::vector<long double> values_;
};

// A nested table per row: a copy of the registered table named by the entry of the
// row's selector value (the table's first column when that is an enum column). A row
// whose entry names no table holds the object that the table's OnInitRow supplies, if
// any; the table's OnSetRow, OnGetChanged, OnHide, OnResetChanged and OnSetUnits serve
// such objects as the column serves its nested tables.
class TTableColumn final : public TColumn {
public:
    TGridTableList tables;

    static std::unique_ptr<TColumn> CreateFromReader(TColumnStreamReader& reader, TGridTable& table);

    int CellCount() const override { return static_cast<int>(nested_.size()); }
    void InsertRows(int index, int count) override;
    void DeleteRow(int index) override;
    TGridTable* AsTable(int row) const override;
    // The row's nested table or supplied object; nullptr when it holds nothing.
    QObject* AsObject(int row) const override;
    QString AsText(int row) const override;
    bool IsChanged() const override;
    void Hide() override;
    void ResetChanged() override;
    int ColumnWidth(const QFontMetrics& metrics, int pixelsPerInch) const override;
    void SetUnits(TUnitSystem fromUnits, TUnitSystem toUnits) override;
    void WriteData(TColumnStreamWriter& writer) const override;
    bool NeedsControls() const override { return true; }
    QWidget* CreateControl(int row, QWidget* parent) override;
    std::unique_ptr<TColumn> Clone() const override;

    // Makes the nested table of a row again (its selector value changed).
    void RebuildRow(int row);
    // Gives the table list exactly `count` entries (empty ones appended, surplus dropped).
    void ResizeTableList(int count);

private:
    // What one row holds: a nested table, a supplied object, or nothing.
    struct TNestedRow {
        std::unique_ptr<TGridTable> table;
        std::unique_ptr<QObject> object;
    };
    TNestedRow MakeNested(int row) const;
    // Tells the table's OnSetRow of a row's supplied object.
    void NestedMade(int row) const;
    void RenumberTitles();
    // Each row holding a supplied object, with its row number.
    template <class F> void ForEachObject(F&& f) const;

    std::vector<TNestedRow> nested_;
};

// A text per row.
class TStringColumn final : public TColumn {
public:
    QString defaultText;
    long double minimumWidthInches = 0.0L;

    static std::unique_ptr<TColumn> CreateFromReader(TColumnStreamReader& reader, TGridTable& table);

    int CellCount() const override { return static_cast<int>(values_.size()); }
    void InsertRows(int index, int count) override;
    void DeleteRow(int index) override;
    QString AsText(int row) const override;
    void SetText(int row, const QString& text) override;
    int ColumnWidth(const QFontMetrics& metrics, int pixelsPerInch) const override;
    void WriteData(TColumnStreamWriter& writer) const override;
    std::unique_ptr<TColumn> Clone() const override;

private:
    std::vector<QString> values_;
};

} // namespace veldo
