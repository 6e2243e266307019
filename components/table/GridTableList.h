// The list through which a table column names its nested tables: each entry holds a
// number that finds a table in the global table list at the time of every lookup,
// either by its position there or by its Identifier.
#pragma once

#include <vector>

namespace veldo {

class TGridTable;

class TGridTableList {
public:
    int Count() const { return static_cast<int>(entries_.size()); }

    void AddIndex(int position);
    void InsertIndex(int at, int position);
    // Position of the table in the table list; -1 for nil or an unlisted table.
    void AddTable(const TGridTable* table);
    void InsertTable(int at, const TGridTable* table);
    void AddIdentifier(int identifier);
    void InsertIdentifier(int at, int identifier);
    void Delete(int at);

    // Table-list position of entry i (-1 when the Identifier is held by no table).
    int TableIndex(int i) const;
    // Table of entry i; nullptr when its position lies outside the table list.
    TGridTable* Table(int i) const;

private:
    struct TIntWrapper {
        int value;
        bool isIdentifier;
    };

    const TIntWrapper& At(int i) const;
    void InsertEntry(int at, TIntWrapper entry);

    std::vector<TIntWrapper> entries_;
};

} // namespace veldo
