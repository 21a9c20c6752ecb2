#include "zqu111.h"

#include "InstallationIdentity.h"
#include "kunciu.h"
#include "versionInfoUnit.h"

#include <QDir>
#include <QStandardPaths>

TForm111::TForm111(const TForm1_kunci &kunci, const QString &executableDir, QObject *parent)
    : QObject(parent)
    , storageUmum({"pegawai", "log_pemakai", "jenis_jual", "versi"})
    , q0(db1, transaksi3)
    , ibsp00(db1, transaksi3)
    , kunci_(kunci)
    , executableDir_(executableDir)
{
    q0.setSql(QStringLiteral("select * from proses_log_pemakai(:ip_pemakai)"));
    q0.setAutoCommit(true);
    ibsp00.setSql(QStringLiteral("EXECUTE PROCEDURE PROSES_LOGOUT_PEMAKAI (?IP_LOGIN)"));
    ibsp00.setAutoCommit(true);
}

TForm111::~TForm111()
{
    writeSessionStore();
    closeConnection(); // before the statements made on it go
}

QString TForm111::sessionStoreFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return folder.isEmpty() ? QDir::homePath() : folder;
}

void TForm111::FormCreate()
{
    ApplyConnectionSettings(db1, kunci_);

    const InstallationIdentity identity = InstallationIdentity::read(executableDir_);
    institutionName_ = identity.name;
    institutionAddress_ = identity.address;

    storageUmum.setValue(QStringLiteral("versi"), GetVersionText());
    const QString fileName =
        QStringLiteral("tarven-") + storageUmum.text(QStringLiteral("versi")) + ".xml";
    loadSessionStore(QDir(sessionStoreFolder()).filePath(fileName));
}

// A rejected store costs only stored layouts: it is reported, the run goes on with an
// empty document, and the file is replaced at exit.
void TForm111::loadSessionStore(const QString &path)
{
    try {
        xml.load(path);
    } catch (const XmlFileError &error) {
        if (errorReport_)
            errorReport_(error.message());
    }
}

bool TForm111::writeSessionStore() const
{
    return xml.save();
}
