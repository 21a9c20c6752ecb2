#include "kunciu.h"

#include "VigenereCipher.h"
#include "storage/Windows1252.h"

#include <QDir>

namespace {

// Whatever the file's encoding, a value is 8-bit text of the ANSI code page.
QString ansiText(const QString &value)
{
    return windows1252::decode(windows1252::encode(value));
}

QString deciphered(const QString &value)
{
    return windows1252::decode(
        VigenereCipher::decipher(windows1252::encode(value), VigenereCipher::connectionKey));
}

} // namespace

TForm1_kunci::TForm1_kunci(const QString &executableDir, QObject *parent)
    : QObject(parent), executableDir_(executableDir)
{
    xml.setFileName(connectionFilePath());
}

TForm1_kunci::~TForm1_kunci()
{
    writeBack();
}

QString TForm1_kunci::connectionFilePath() const
{
    return QDir(executableDir_).filePath(QString::fromLatin1(connectionFileName));
}

void TForm1_kunci::FormCreate()
{
    loaded_ = false;
    xml.load(connectionFilePath());
    loaded_ = true;
    dbhost_ = ansiText(xml.rootValue("dbhost"));
    dbname_ = ansiText(xml.rootValue("dbname"));
    dbuser_ = deciphered(xml.rootValue("dbuser"));
    dbpasswd_ = deciphered(xml.rootValue("dbpasswd"));
}

bool TForm1_kunci::writeBack() const
{
    return loaded_ && xml.save(connectionFilePath());
}
