#pragma once

#include <QList>
#include <QPair>
#include <QString>

// One element of a storage document. A storage keeps values as the text of leaf elements
// and groups them in section elements; mixed content is not kept (text beside child
// elements is only the indentation of the file).
struct XmlElement {
    QString name;
    QList<QPair<QString, QString>> attributes;
    QString text;
    QList<XmlElement> children;

    XmlElement *child(const QString &childName, Qt::CaseSensitivity cs = Qt::CaseSensitive);
    const XmlElement *child(const QString &childName,
                            Qt::CaseSensitivity cs = Qt::CaseSensitive) const;
    // The child of that name, added at the end when there is none.
    XmlElement &childOrNew(const QString &childName);
};
