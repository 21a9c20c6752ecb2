#include "InstallationIdentity.h"

#include <QDir>
#include <QSettings>
#include <QStringList>

namespace {

const QString group = QStringLiteral("institusi");
const QString nameKey = QStringLiteral("nama");
const QString addressKey = QStringLiteral("alamat");

QString iniPath(const QString &folder)
{
    return QDir(folder).filePath(QString::fromLatin1(InstallationIdentity::fileName));
}

// An address edited by hand as  alamat=Jl. Merdeka 1, Bandung  reaches QSettings as a list
// split at the commas; it is one text all the same.
QString textOf(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

} // namespace

InstallationIdentity InstallationIdentity::read(const QString &folder)
{
    const QString path = iniPath(folder);
    if (!QFile::exists(path))
        return {};
    QSettings ini(path, QSettings::IniFormat);
    ini.beginGroup(group);
    return {textOf(ini.value(nameKey)), textOf(ini.value(addressKey))};
}

bool InstallationIdentity::write(const QString &folder, QString *error) const
{
    QSettings ini(iniPath(folder), QSettings::IniFormat);
    ini.beginGroup(group);
    ini.setValue(nameKey, name);
    ini.setValue(addressKey, address);
    ini.endGroup();
    ini.sync();
    if (ini.status() == QSettings::NoError)
        return true;
    if (error)
        *error = QStringLiteral("cannot write %1").arg(iniPath(folder));
    return false;
}
