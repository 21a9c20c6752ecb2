#pragma once

#include "XmlElement.h"

#include <QByteArray>
#include <QString>
#include <stdexcept>

// A file the XML reader rejects. The message names the file, the line and the reader's error.
class XmlFileError : public std::runtime_error {
public:
    explicit XmlFileError(const QString &message);
    QString message() const { return QString::fromUtf8(what()); }
};

// Turning storage documents into bytes and back.
namespace xmldocument {

// A byte-order mark (UTF-8, UTF-16) or the encoding named in the XML declaration decides how
// the bytes are read; bytes with neither are windows-1252. fileName only names the file in
// the error thrown for content the reader rejects.
XmlElement parse(const QByteArray &bytes, const QString &fileName);

// Declaration version "1.0", encoding "Windows-1252", standalone "no"; two spaces of indent
// per level. Characters the code page lacks are written as character references, so every
// value reads back as it was.
QByteArray serialize(const XmlElement &root);

// Whether a text can be written and read back: XML 1.0 cannot carry most control
// characters, not even as character references.
bool canHold(const QString &text);

} // namespace xmldocument
