#pragma once

#include <QList>
#include <QString>
#include <functional>

class XmlFileStorage;

// Keeps a view's layout in one section of a storage, named after the view's form name.
// The view lists the properties to keep as getter/setter pairs of text; no window
// position, size or state is kept. restore() and save() work on the storage's document in
// memory; the storage's owner decides when the file is written.
class FormStorage {
public:
    using Getter = std::function<QString()>;
    using Setter = std::function<void(const QString &)>;

    FormStorage(XmlFileStorage &storage, const QString &section);

    const QString &section() const { return section_; }
    void addProperty(const QString &name, Getter get, Setter set);

    // Applies the stored values. A property the section lacks keeps its value; an error
    // while applying one is ignored and the next one is applied.
    void restore();
    // Writes every property's current value into the section.
    void save();

private:
    struct Property {
        QString name;
        Getter get;
        Setter set;
    };

    XmlFileStorage &storage_;
    QString section_;
    QList<Property> properties_;
};
