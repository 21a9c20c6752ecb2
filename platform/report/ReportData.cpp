#include "ReportData.h"

#include <exception>

namespace report {

int ReportDataSet::fieldIndex(const QString &field) const
{
    for (int i = 0; i < fields.size(); ++i) {
        if (fields.at(i).compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void ReportData::add(const ReportDataSet &set)
{
    sets_.append(set);
}

void ReportData::addSource(const QString &name, Loader loader)
{
    sources_.append({name, std::move(loader)});
}

QList<ReportDataSet> ReportData::load(QStringList &errors) const
{
    QList<ReportDataSet> loaded = sets_;
    for (const auto &[name, loader] : sources_) {
        ReportDataSet set;
        try {
            set = loader();
        } catch (const std::exception &e) {
            errors.append(QStringLiteral("%1: %2").arg(name, QString::fromUtf8(e.what())));
            set = ReportDataSet{};
            set.failed = true;
        }
        set.name = name;
        loaded.append(set);
    }
    return loaded;
}

const ReportDataSet *findDataSet(const QList<ReportDataSet> &sets, const QString &name)
{
    for (const ReportDataSet &set : sets) {
        if (set.name.compare(name, Qt::CaseInsensitive) == 0)
            return &set;
    }
    return nullptr;
}

} // namespace report
