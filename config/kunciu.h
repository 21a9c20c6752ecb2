#pragma once

#include "storage/XmlFileStorage.h"

#include <QObject>
#include <QString>

// The connection settings: host, database, user and password read from the connection
// file beside the executable, the user and password deciphered. A hidden holder with no
// widget of its own; its values are fixed once FormCreate() has run.
class TForm1_kunci : public QObject {
    Q_OBJECT
public:
    static constexpr auto connectionFileName = "dodide.xmlx";

    explicit TForm1_kunci(const QString &executableDir, QObject *parent = nullptr);
    // Writes the connection file back (writeBack()).
    ~TForm1_kunci() override;

    // Reads the connection file. Throws XmlFileError, naming the file and the reader's
    // error, when the reader rejects it; a missing file or element gives "".
    void FormCreate();

    const QString &dbhost() const { return dbhost_; }
    const QString &dbname() const { return dbname_; }
    const QString &dbuser() const { return dbuser_; }
    const QString &dbpasswd() const { return dbpasswd_; }

    QString connectionFilePath() const;

    // Writes the document as read back to the file: the values stay as they were, and a
    // missing file is created holding an empty root. Nothing is written before the file
    // was read, nor after the reader rejected it, so a broken file an installer must
    // repair is never replaced by an empty one. Returns false when nothing was written;
    // the program ignores that.
    bool writeBack() const;

    XmlFileStorage xml;

private:
    QString executableDir_;
    bool loaded_ = false;
    QString dbhost_;
    QString dbname_;
    QString dbuser_;
    QString dbpasswd_;
};
