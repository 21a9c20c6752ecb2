#pragma once

#include <QString>
#include <QStringMatcher>
#include <functional>
#include <vector>

namespace widgets {

// The search filter of a table model: the numbers of the rows whose text contains the
// search text, case-insensitive. Each row's searchable text is decoded once, on the first
// search, and kept (case-folded) until the data changes, so a keystroke costs one
// substring test per row.
class RowFilter {
public:
    using RowText = std::function<QString(int row)>;

    // Columns of a row's text are joined with this character, which nobody types.
    static constexpr QChar columnSeparator{0x1F};

    bool isActive() const { return !needle_.isEmpty(); }
    const QString &text() const { return text_; }

    // Applies a new search text to rowCount rows. rowText is asked only for rows whose
    // text is not cached yet.
    void setText(const QString &text, int rowCount, const RowText &rowText);
    // Runs the current search again from fresh data (after a reload).
    void reapply(int rowCount, const RowText &rowText);

    int count() const { return int(matches_.size()); }
    int sourceRow(int index) const { return matches_[size_t(index)]; }
    int indexOf(int sourceRow) const; // -1 when the row is filtered out
    int countBefore(int sourceRow) const; // matching rows above sourceRow

    // Keeping the cache and the matches in step with the dataset. An inserted row is
    // always shown (it is being typed in); a changed row keeps its place until the
    // next search.
    void invalidate() { cache_.clear(); cacheValid_ = false; }
    void rowChanged(int row, const RowText &rowText);
    void rowInserted(int row, const RowText &rowText);
    void rowRemoved(int row);

private:
    void fillCache(int rowCount, const RowText &rowText);
    void match();

    QString text_;
    QString needle_; // case-folded text_
    QStringMatcher matcher_;
    std::vector<QString> cache_;
    bool cacheValid_ = false;
    std::vector<int> matches_;
};

} // namespace widgets
