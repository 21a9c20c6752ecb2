#include "fb/SqlParameters.h"

#include <QTest>

// The rewriting of named parameters into positional markers.
class TestSqlParameters : public QObject {
    Q_OBJECT
private slots:
    void rewrites_data();
    void rewrites();
};

void TestSqlParameters::rewrites_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("colon names, upper-cased") << "update t set a = :Nip where b = :old_nama"
                                              << "update t set a = ? where b = ?" << QStringList{"NIP", "OLD_NAMA"};
    QTest::newRow("question-mark name") << "EXECUTE PROCEDURE PROSES_LOGOUT_PEMAKAI (?IP_LOGIN)"
                                        << "EXECUTE PROCEDURE PROSES_LOGOUT_PEMAKAI (?)" << QStringList{"IP_LOGIN"};
    QTest::newRow("repeated name") << "select * from t where a = :x or b = :X" << "select * from t where a = ? or b = ?"
                                   << QStringList{"X", "X"};
    QTest::newRow("string literal with doubled quote") << "select 'it''s :no' from t where a = :yes"
                                                      << "select 'it''s :no' from t where a = ?" << QStringList{"YES"};
    QTest::newRow("quoted identifier") << "select \"A:B\" from t where a = :p" << "select \"A:B\" from t where a = ?"
                                       << QStringList{"P"};
    QTest::newRow("line comment") << "select a -- not :this\nfrom t where a = :p"
                                  << "select a -- not :this\nfrom t where a = ?" << QStringList{"P"};
    QTest::newRow("block comment") << "select /* :skip ?skip */ a from t where a = :p"
                                   << "select /* :skip ?skip */ a from t where a = ?" << QStringList{"P"};
    QTest::newRow("unterminated literal stays") << "select ':p" << "select ':p" << QStringList{};
    QTest::newRow("lone colon and bare marker") << "select a : b from t where c = ?" << "select a : b from t where c = ?"
                                                << QStringList{""};
    QTest::newRow("selectable procedure") << "select * from proses_log_pemakai(:ip_pemakai)"
                                          << "select * from proses_log_pemakai(?)" << QStringList{"IP_PEMAKAI"};
    QTest::newRow("name ends at punctuation") << "values(:a,:b_1)" << "values(?,?)" << QStringList{"A", "B_1"};
}

void TestSqlParameters::rewrites()
{
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    QFETCH(QStringList, names);
    const fb::PositionalSql out = fb::toPositional(sql);
    QCOMPARE(out.sql, expected);
    QCOMPARE(out.names, names);
}

QTEST_GUILESS_MAIN(TestSqlParameters)
#include "tst_fb_sql_parameters.moc"
