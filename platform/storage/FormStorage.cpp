#include "FormStorage.h"

#include "XmlFileStorage.h"


FormStorage::FormStorage(XmlFileStorage &storage, const QString &section)
    : storage_(storage), section_(section)
{
}

void FormStorage::addProperty(const QString &name, Getter get, Setter set)
{
    properties_.append(Property{name, std::move(get), std::move(set)});
}

void FormStorage::restore()
{
    for (const Property &property : properties_) {
        if (!storage_.valueExists(section_, property.name))
            continue;
        try {
            property.set(storage_.readString(section_, property.name));
        } catch (...) {
            // A stored layout that no longer fits the view must not stop the view.
        }
    }
}

void FormStorage::save()
{
    for (const Property &property : properties_)
        storage_.writeString(section_, property.name, property.get());
}
