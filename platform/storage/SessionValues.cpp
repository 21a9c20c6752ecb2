#include "SessionValues.h"

SessionValues::SessionValues(const QStringList &declaredNames)
{
    for (const QString &name : declaredNames)
        setValue(name, QString());
}

const SessionValues::Entry *SessionValues::find(const QString &name) const
{
    for (const Entry &entry : entries_) {
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0)
            return &entry;
    }
    return nullptr;
}

QVariant SessionValues::value(const QString &name) const
{
    const Entry *entry = find(name);
    return entry ? entry->value : QVariant();
}

void SessionValues::setValue(const QString &name, const QVariant &value)
{
    if (Entry *entry = const_cast<Entry *>(find(name)))
        entry->value = value;
    else
        entries_.append(Entry{name, value});
}

bool SessionValues::contains(const QString &name) const
{
    return find(name) != nullptr;
}
