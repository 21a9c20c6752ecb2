#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// Named values that live in memory for the run. Names are compared without regard to
// letter case; reading a name never written gives an empty value, writing one adds it.
// Nothing here touches a file.
class SessionValues {
public:
    // The names declared up front, each holding the empty text.
    explicit SessionValues(const QStringList &declaredNames = {});

    QVariant value(const QString &name) const;
    QString text(const QString &name) const { return value(name).toString(); }
    void setValue(const QString &name, const QVariant &value);
    bool contains(const QString &name) const;

private:
    struct Entry {
        QString name;
        QVariant value;
    };
    const Entry *find(const QString &name) const;

    QList<Entry> entries_;
};
