#include "DataHolder.h"
#include "kunciu.h"
#include "zqu111.h"

#include "TestDatabase.h"
#include "fb/Query.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// Holders configured from a connection file the installer's tool wrote for a database of
// this test's own.
class TestConfigDatabase : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void applyingSettingsClosesAndRollsBack();
    void sessionLogOutlastsTheConnection();

private:
    std::unique_ptr<TestDatabase> database_;
    QTemporaryDir folder_;
    std::unique_ptr<TForm1_kunci> kunci_;
};

void TestConfigDatabase::initTestCase()
{
    QVERIFY(folder_.isValid());
    qputenv("XDG_DATA_HOME", folder_.filePath("data").toLocal8Bit());
    database_ = std::make_unique<TestDatabase>();
    QProcess tool;
    tool.start(QStringLiteral(TARVEN_CONNFILE),
               {"--host", TestDatabase::host(), "--database", database_->path(), "--user",
                TestDatabase::user(), "--password", TestDatabase::password(), "--output-dir",
                folder_.path()});
    QVERIFY(tool.waitForFinished(30000));
    QCOMPARE(tool.exitCode(), 0);
    kunci_ = std::make_unique<TForm1_kunci>(folder_.path());
    kunci_->FormCreate();
}

void TestConfigDatabase::applyingSettingsClosesAndRollsBack()
{
    DataHolder holder;
    DataHolder other;
    ApplyConnectionSettings(holder.db1, *kunci_);
    ApplyConnectionSettings(other.db1, *kunci_);

    fb::Query insert(holder.db1, holder.transaksi2);
    insert.setSql("insert into dokter (nama, nip, jabatan) values (:nama, '1', 'umum')");
    insert.setParam("nama", "dr. Uncommitted");
    insert.execute(); // connects on use
    QVERIFY(holder.db1.isConnected());

    fb::Query count(other.db1, other.transaksi1);
    count.setSql("select count(*) from dokter");
    count.execute();
    QVERIFY(other.db1.isConnected());

    ApplyConnectionSettings(holder.db1, *kunci_);
    QVERIFY(!holder.db1.isConnected());
    QVERIFY(other.db1.isConnected()); // another holder's connection is its own
    QCOMPARE(database_->scalar("select count(*) from dokter where nama = 'dr. Uncommitted'"),
             QStringLiteral("0"));

    // Configured, not connected: the next use connects again.
    count.close();
    fb::Query again(holder.db1, holder.transaksi1);
    again.setSql("select count(*) from dokter");
    again.execute();
    QVERIFY(holder.db1.isConnected());
}

void TestConfigDatabase::sessionLogOutlastsTheConnection()
{
    TForm111 form(*kunci_, folder_.path());
    form.FormCreate();
    QVERIFY(!form.db1.isConnected());

    form.q0.setParam("ip_pemakai", "Budi");
    form.q0.execute();
    const QString code = form.q0.fieldText("log_kode");
    QVERIFY(!code.isEmpty());
    form.db1.close();
    QCOMPARE(database_->scalar("select pemakai from log_pemakai where log_kode = '" + code + "'"),
             QStringLiteral("Budi"));

    form.ibsp00.setParam("ip_login", code);
    form.ibsp00.execute();
    form.db1.close();
    QCOMPARE(database_->scalar("select count(*) from log_pemakai where log_kode = '" + code
                               + "' and selesai is not null"),
             QStringLiteral("1"));
}

QTEST_GUILESS_MAIN(TestConfigDatabase)
#include "tst_config_database.moc"
