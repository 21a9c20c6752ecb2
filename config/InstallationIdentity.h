#pragma once

#include <QString>

// The institution's name and address shown on the home view and printed on reports. The
// installer leaves them in "tarven-institusi.ini" beside the executable (UTF-8, group
// [institusi], keys nama and alamat); they are read once and fixed for the run.
struct InstallationIdentity {
    static constexpr auto fileName = "tarven-institusi.ini";

    QString name;
    QString address;

    // A missing file or key gives empty texts.
    static InstallationIdentity read(const QString &folder);
    // Returns false, with the reason in *error, when the file cannot be written.
    bool write(const QString &folder, QString *error) const;
};
