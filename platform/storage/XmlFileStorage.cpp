#include "XmlFileStorage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// "Read-only" is the owner's write bit: checked on the bit rather than with access(),
// which says yes to root for every file.
bool isMarkedReadOnly(const QString &path)
{
    const QFileInfo info(path);
    return info.exists()
        && (!(info.permissions() & QFileDevice::WriteOwner) || !info.isWritable());
}

// A value element holds text only.
void assignText(XmlElement &element, const QString &value)
{
    element.children.clear();
    element.text = value;
}

bool isNameStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isNameCharacter(QChar c)
{
    return isNameStart(c) || c.isDigit() || c == u'.' || c == u'-';
}

} // namespace

XmlFileStorage::XmlFileStorage()
{
    clear();
}

void XmlFileStorage::clear()
{
    root_ = XmlElement{QString::fromLatin1(defaultRootName), {}, {}, {}};
}

void XmlFileStorage::load(const QString &path)
{
    fileName_ = path;
    clear();
    QFile file(path);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly))
        throw XmlFileError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    root_ = xmldocument::parse(file.readAll(), path);
}

bool XmlFileStorage::save(const QString &path) const
{
    if (path.isEmpty() || isMarkedReadOnly(path))
        return false;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(xmldocument::serialize(root_));
    return file.commit();
}

bool XmlFileStorage::sectionExists(const QString &section) const
{
    return root_.child(elementName(section)) != nullptr;
}

const XmlElement *XmlFileStorage::value(const QString &section, const QString &name) const
{
    const XmlElement *sectionElement = root_.child(elementName(section));
    return sectionElement ? sectionElement->child(elementName(name)) : nullptr;
}

bool XmlFileStorage::valueExists(const QString &section, const QString &name) const
{
    return value(section, name) != nullptr;
}

QString XmlFileStorage::readString(const QString &section, const QString &name,
                                   const QString &defaultValue) const
{
    const XmlElement *element = value(section, name);
    return element ? element->text : defaultValue;
}

void XmlFileStorage::writeString(const QString &section, const QString &name,
                                 const QString &value)
{
    assignText(root_.childOrNew(elementName(section)).childOrNew(elementName(name)), value);
}

QString XmlFileStorage::rootValue(const QString &name) const
{
    const XmlElement *element = root_.child(name, Qt::CaseInsensitive);
    return element ? element->text : QString();
}

void XmlFileStorage::setRootValue(const QString &name, const QString &value)
{
    assignText(root_.childOrNew(elementName(name)), value);
}

QString XmlFileStorage::elementName(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("_");
    QString result = name;
    for (qsizetype i = 0; i < result.size(); ++i) {
        const bool valid = i == 0 ? isNameStart(result.at(i)) : isNameCharacter(result.at(i));
        if (!valid)
            result[i] = u'_';
    }
    return result;
}
