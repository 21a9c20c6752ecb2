#pragma once

#include "DataHolder.h"
#include "storage/SessionValues.h"
#include "storage/XmlFileStorage.h"

#include "fb/Query.h"

#include <QObject>
#include <QString>
#include <functional>

class TForm1_kunci;

// The keeper of per-run state: a data holder that also owns the session values
// (storageUmum), the per-user session store of view layouts (xml), the installation
// identity and the two session-log statements. A hidden holder without a widget.
class TForm111 : public QObject, public DataHolder {
    Q_OBJECT
public:
    // Told once about a session store file the reader rejected; start-up carries on.
    using ErrorReport = std::function<void(const QString &message)>;

    TForm111(const TForm1_kunci &kunci, const QString &executableDir, QObject *parent = nullptr);
    // Writes the session store (writeSessionStore()) and closes the connection.
    ~TForm111() override;

    void setErrorReport(ErrorReport report) { errorReport_ = std::move(report); }

    // Configures the connection, takes the installation identity, sets versi, and binds
    // and loads the session store "tarven-<versi>.xml" in the user's data folder.
    void FormCreate();

    const QString &institutionName() const { return institutionName_; }
    const QString &institutionAddress() const { return institutionAddress_; }

    // The user's application-data folder the session store lives in.
    static QString sessionStoreFolder();

    // Writes the session store through a temporary file; a read-only file is left as it
    // is and a failure is silent (the layouts of this run are then lost). Nothing is
    // written before FormCreate() has bound the store to its file.
    bool writeSessionStore() const;

    SessionValues storageUmum;
    XmlFileStorage xml;

    // Session log. Both commit at once: the record of a session must outlast the
    // connection, which callers close right after.
    fb::Query q0;     // select * from proses_log_pemakai(:ip_pemakai)
    fb::Query ibsp00; // EXECUTE PROCEDURE PROSES_LOGOUT_PEMAKAI (?IP_LOGIN)

private:
    void loadSessionStore(const QString &path);

    const TForm1_kunci &kunci_;
    QString executableDir_;
    ErrorReport errorReport_;
    QString institutionName_;
    QString institutionAddress_;
};
