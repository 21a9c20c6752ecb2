#pragma once

#include "XmlDocumentFormat.h"
#include "XmlElement.h"

#include <QString>

// An XML document held in memory and bound to a file: sections (one element per section,
// e.g. a view's form name) holding named text values. The file is read by load() and
// written only by save(), so a run's changes reach the disk at one moment.
class XmlFileStorage {
public:
    static constexpr auto defaultRootName = "Configuration";

    XmlFileStorage();

    // The file load() and save() use when called without a path.
    void setFileName(const QString &path) { fileName_ = path; }
    const QString &fileName() const { return fileName_; }

    // Replaces the document with the file's content; a missing file gives an empty
    // document. A file the reader rejects throws XmlFileError and leaves an empty document.
    void load(const QString &path);
    void load() { load(fileName_); }

    // Writes the whole document through a temporary file that is renamed over the old one,
    // creating the folder when needed. A read-only file is left untouched. Returns false
    // when nothing was written.
    bool save(const QString &path) const;
    bool save() const { return save(fileName_); }

    void clear();
    const XmlElement &document() const { return root_; }

    // Values in sections. Names are turned into element names first (elementName()).
    bool sectionExists(const QString &section) const;
    bool valueExists(const QString &section, const QString &name) const;
    QString readString(const QString &section, const QString &name,
                       const QString &defaultValue = {}) const;
    void writeString(const QString &section, const QString &name, const QString &value);

    // Values directly under the root, found regardless of letter case; "" when missing.
    QString rootValue(const QString &name) const;
    void setRootValue(const QString &name, const QString &value);

    // A valid XML element name: every character a name cannot hold becomes "_".
    static QString elementName(const QString &name);

private:
    const XmlElement *value(const QString &section, const QString &name) const;

    QString fileName_;
    XmlElement root_;
};
