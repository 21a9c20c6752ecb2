#include "RowFilter.h"

#include <algorithm>

namespace widgets {

void RowFilter::setText(const QString &text, int rowCount, const RowText &rowText)
{
    text_ = text;
    needle_ = text.toCaseFolded();
    matcher_.setPattern(needle_);
    matcher_.setCaseSensitivity(Qt::CaseSensitive);
    matches_.clear();
    if (!isActive())
        return;
    fillCache(rowCount, rowText);
    match();
}

void RowFilter::reapply(int rowCount, const RowText &rowText)
{
    invalidate();
    setText(text_, rowCount, rowText);
}

void RowFilter::fillCache(int rowCount, const RowText &rowText)
{
    if (cacheValid_ && int(cache_.size()) == rowCount)
        return;
    cache_.clear();
    cache_.reserve(size_t(rowCount));
    for (int row = 0; row < rowCount; ++row)
        cache_.push_back(rowText(row).toCaseFolded());
    cacheValid_ = true;
}

void RowFilter::match()
{
    const int n = int(cache_.size());
    for (int row = 0; row < n; ++row) {
        if (matcher_.indexIn(QStringView(cache_[size_t(row)])) >= 0)
            matches_.push_back(row);
    }
}

int RowFilter::indexOf(int sourceRow) const
{
    const auto it = std::lower_bound(matches_.begin(), matches_.end(), sourceRow);
    return it != matches_.end() && *it == sourceRow ? int(it - matches_.begin()) : -1;
}

int RowFilter::countBefore(int sourceRow) const
{
    return int(std::lower_bound(matches_.begin(), matches_.end(), sourceRow) - matches_.begin());
}

void RowFilter::rowChanged(int row, const RowText &rowText)
{
    if (cacheValid_ && row >= 0 && row < int(cache_.size()))
        cache_[size_t(row)] = rowText(row).toCaseFolded();
}

void RowFilter::rowInserted(int row, const RowText &rowText)
{
    if (cacheValid_ && row >= 0 && row <= int(cache_.size()))
        cache_.insert(cache_.begin() + row, rowText(row).toCaseFolded());
    else
        invalidate();
    if (!isActive())
        return;
    const auto at = std::lower_bound(matches_.begin(), matches_.end(), row);
    for (auto it = at; it != matches_.end(); ++it)
        ++*it;
    matches_.insert(at, row);
}

void RowFilter::rowRemoved(int row)
{
    if (cacheValid_ && row >= 0 && row < int(cache_.size()))
        cache_.erase(cache_.begin() + row);
    else
        invalidate();
    const auto at = std::lower_bound(matches_.begin(), matches_.end(), row);
    auto from = at;
    if (from != matches_.end() && *from == row)
        from = matches_.erase(from);
    for (auto it = from; it != matches_.end(); ++it)
        --*it;
}

} // namespace widgets
