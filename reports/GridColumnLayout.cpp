#include "GridColumnLayout.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QStringList>
#include <algorithm>

namespace gridlayout {

namespace {

constexpr int minimumWidth = 10;
constexpr int maximumWidth = 2000;

QString headerText(const QHeaderView &header, int logical)
{
    return header.model()->headerData(logical, header.orientation()).toString();
}

int logicalIndexOf(const QHeaderView &header, const QString &name)
{
    for (int logical = 0; logical < header.count(); ++logical)
        if (headerText(header, logical) == name)
            return logical;
    return -1;
}

} // namespace

QString columnLayout(const QHeaderView &header)
{
    QStringList entries;
    for (int visual = 0; visual < header.count(); ++visual) {
        const int logical = header.logicalIndex(visual);
        entries << headerText(header, logical) + QLatin1Char(':') + QString::number(header.sectionSize(logical));
    }
    return entries.join(QLatin1Char(';'));
}

void applyColumnLayout(QHeaderView &header, const QString &layout)
{
    int place = 0;
    for (const QString &entry : layout.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList parts = entry.split(QLatin1Char(':'));
        bool ok = false;
        const int width = parts.size() == 2 ? parts.at(1).toInt(&ok) : 0;
        const int logical = ok ? logicalIndexOf(header, parts.at(0)) : -1;
        if (logical < 0)
            continue;
        header.moveSection(header.visualIndex(logical), place++);
        header.resizeSection(logical, std::clamp(width, minimumWidth, maximumWidth));
    }
}

} // namespace gridlayout
