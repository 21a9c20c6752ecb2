#include "XmlElement.h"

XmlElement *XmlElement::child(const QString &childName, Qt::CaseSensitivity cs)
{
    for (XmlElement &element : children) {
        if (element.name.compare(childName, cs) == 0)
            return &element;
    }
    return nullptr;
}

const XmlElement *XmlElement::child(const QString &childName, Qt::CaseSensitivity cs) const
{
    return const_cast<XmlElement *>(this)->child(childName, cs);
}

XmlElement &XmlElement::childOrNew(const QString &childName)
{
    if (XmlElement *existing = child(childName))
        return *existing;
    children.append(XmlElement{childName, {}, {}, {}});
    return children.last();
}
