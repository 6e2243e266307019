// The list of the ten most recently opened projects, most recent first.
#pragma once

#include <QString>
#include <QStringList>

namespace veldo {

class TRecentFiles {
public:
    static constexpr int Capacity = 10;

    // Takes up to ten entries in order; empty entries are dropped so that the
    // shown entries are exactly the non-empty ones.
    void Assign(const QStringList& entries);
    void Clear() { entries_.clear(); }

    // Puts the path first: nothing changes when it is first already; an entry
    // further down moves to the top and the ones above it move down one place;
    // a new path pushes every entry down one place and the tenth is dropped.
    void Update(const QString& path);

    int Count() const { return static_cast<int>(entries_.size()); }
    const QString& Entry(int index) const { return entries_.at(index); }
    // The ten entries for the settings, empty strings after the last one.
    QStringList Padded() const;

    // Menu text of entry `index`: its number (from 1), a blank and the path, with
    // the current folder and its separator cut from the front when it starts so.
    QString MenuText(int index, const QString& currentDir) const;

private:
    QStringList entries_;
};

} // namespace veldo
