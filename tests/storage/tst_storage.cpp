#include "storage/FormStorage.h"
#include "storage/SessionValues.h"
#include "storage/Windows1252.h"
#include "storage/XmlFileStorage.h"

#include "TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <stdexcept>

namespace {


} // namespace

class TestStorage : public QObject {
    Q_OBJECT
private slots:
    void everyWindows1252CodeSurvives();
    void savedFileHasTheHouseLayout();
    void valuesSurviveSaveAndLoad_data();
    void valuesSurviveSaveAndLoad();
    void missingFileGivesEmptyDocument();
    void rejectedFileNamesFileAndLine();
    void readOnlyFileIsLeftUntouched();
    void saveCreatesTheFolder();
    void saveWithoutFileNameFails();
    void elementNamesReplaceInvalidCharacters_data();
    void elementNamesReplaceInvalidCharacters();
    void rootValuesIgnoreCase();
    void sessionValuesByNameRegardlessOfCase();
    void formStorageRestoresWhatItSaved();
    void formStorageKeepsMissingAndSurvivesErrors();

private:
    QTemporaryDir dir_;
};

void TestStorage::everyWindows1252CodeSurvives()
{
    QByteArray all;
    for (int code = 0; code < 256; ++code)
        all.append(char(code));
    const QString text = windows1252::decode(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(text.at(0x80), QChar(0x20AC)); // euro sign
    QCOMPARE(windows1252::encode(text), all);
    QCOMPARE(windows1252::encode(QStringLiteral("a\u03B1b")), QByteArray("a?b"));
}

void TestStorage::savedFileHasTheHouseLayout()
{
    XmlFileStorage storage;
    storage.writeString("Form1_feeRawat", "grid1.Columns", "a\u00E9");
    const QString path = dir_.filePath("layout.xml");
    QVERIFY(storage.save(path));
    QCOMPARE(readAll(path),
             QByteArray("<?xml version=\"1.0\" encoding=\"Windows-1252\" standalone=\"no\"?>\n"
                        "<Configuration>\n"
                        "  <Form1_feeRawat>\n"
                        "    <grid1.Columns>a\xE9</grid1.Columns>\n"
                        "  </Form1_feeRawat>\n"
                        "</Configuration>\n"));
}

void TestStorage::valuesSurviveSaveAndLoad_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("empty") << QString();
    QTest::newRow("markup characters") << QStringLiteral("<a href=\"x\">&amp;</a>");
    QTest::newRow("surrounding spaces") << QStringLiteral("  two  ");
    QTest::newRow("line breaks and tab") << QStringLiteral("a\r\nb\tc\rd");
    QTest::newRow("windows-1252 letters") << QStringLiteral("\u20AC\u00E9\u00FF\u0081");
    QTest::newRow("outside the code page") << QStringLiteral("\u03B1\u4E2D\U0001F600");
}

void TestStorage::valuesSurviveSaveAndLoad()
{
    QFETCH(QString, value);
    XmlFileStorage storage;
    storage.writeString("section", "name", value);
    storage.writeString("section", "other", "x");
    const QString path = dir_.filePath("roundtrip.xml");
    QVERIFY(storage.save(path));

    XmlFileStorage reread;
    reread.load(path);
    QVERIFY(reread.valueExists("section", "name"));
    QCOMPARE(reread.readString("section", "name"), value);
    QCOMPARE(reread.readString("section", "other"), QStringLiteral("x"));
}

void TestStorage::missingFileGivesEmptyDocument()
{
    XmlFileStorage storage;
    storage.writeString("old", "value", "1");
    storage.load(dir_.filePath("does-not-exist.xml"));
    QCOMPARE(storage.document().name, QStringLiteral("Configuration"));
    QVERIFY(storage.document().children.isEmpty());
    QCOMPARE(storage.readString("old", "value", "default"), QStringLiteral("default"));
}

void TestStorage::rejectedFileNamesFileAndLine()
{
    const QString path = dir_.filePath("broken.xml");
    writeAll(path, "<?xml version=\"1.0\"?>\n<Configuration>\n  <a>1</b>\n</Configuration>\n");
    XmlFileStorage storage;
    try {
        storage.load(path);
        QFAIL("a malformed file was accepted");
    } catch (const XmlFileError &error) {
        QVERIFY2(error.message().contains(path), qPrintable(error.message()));
        QVERIFY2(error.message().contains("line 3"), qPrintable(error.message()));
    }
    QVERIFY(storage.document().children.isEmpty());
}

void TestStorage::readOnlyFileIsLeftUntouched()
{
    const QString path = dir_.filePath("readonly.xml");
    const QByteArray original = "<Configuration><kept>1</kept></Configuration>";
    writeAll(path, original);
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    XmlFileStorage storage;
    storage.writeString("new", "value", "2");
    QVERIFY(!storage.save(path));
    QCOMPARE(readAll(path), original);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TestStorage::saveCreatesTheFolder()
{
    const QString path = dir_.filePath("deeper/still/store.xml");
    XmlFileStorage storage;
    QVERIFY(storage.save(path));
    storage.load(path);
    QCOMPARE(storage.document().name, QStringLiteral("Configuration"));
}

void TestStorage::saveWithoutFileNameFails()
{
    XmlFileStorage storage;
    QVERIFY(!storage.save());
}

void TestStorage::elementNamesReplaceInvalidCharacters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("valid") << "grid1.Columns" << "grid1.Columns";
    QTest::newRow("spaces and slash") << "a b/c" << "a_b_c";
    QTest::newRow("leading digit") << "1abc" << "_abc";
    QTest::newRow("leading dash") << "-x" << "_x";
    QTest::newRow("empty") << "" << "_";
}

void TestStorage::elementNamesReplaceInvalidCharacters()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(XmlFileStorage::elementName(name), expected);

    // The stored name is read back under the name the caller used.
    XmlFileStorage storage;
    storage.writeString(name, name, "v");
    const QString path = dir_.filePath("names.xml");
    QVERIFY(storage.save(path));
    storage.load(path);
    QCOMPARE(storage.readString(name, name), QStringLiteral("v"));
}

void TestStorage::rootValuesIgnoreCase()
{
    XmlFileStorage storage;
    storage.setRootValue("dbhost", "srv1");
    QCOMPARE(storage.rootValue("DBHOST"), QStringLiteral("srv1"));
    QCOMPARE(storage.rootValue("dbname"), QString());
}

void TestStorage::sessionValuesByNameRegardlessOfCase()
{
    SessionValues values({"pegawai", "log_pemakai", "jenis_jual", "versi"});
    QCOMPARE(values.text("jenis_jual"), QString());
    QVERIFY(values.contains("pegawai"));
    QCOMPARE(values.text("pegawai"), QString());
    QVERIFY(!values.value("never").isValid());
    QCOMPARE(values.text("never"), QString());

    values.setValue("pegawai", "Budi");
    QCOMPARE(values.text("PEGAWAI"), QStringLiteral("Budi"));
    values.setValue("Pegawai", "Sari");
    QCOMPARE(values.text("pegawai"), QStringLiteral("Sari"));

    values.setValue("added", 42);
    QVERIFY(values.contains("ADDED"));
    QCOMPARE(values.value("Added").toInt(), 42);
}

void TestStorage::formStorageRestoresWhatItSaved()
{
    XmlFileStorage store;
    QString columns = "designed";
    {
        FormStorage layout(store, "Form1_feeRawat");
        layout.addProperty("grid1.Columns", [&] { return columns; },
                           [&](const QString &v) { columns = v; });
        layout.restore();
        QCOMPARE(columns, QStringLiteral("designed"));
        QVERIFY(!store.sectionExists("Form1_feeRawat"));
        columns = "tanggal=80;jumlah=120";
        layout.save();
    }
    QVERIFY(store.sectionExists("Form1_feeRawat"));
    columns = "designed";
    FormStorage again(store, "Form1_feeRawat");
    again.addProperty("grid1.Columns", [&] { return columns; },
                      [&](const QString &v) { columns = v; });
    again.restore();
    QCOMPARE(columns, QStringLiteral("tanggal=80;jumlah=120"));
}

void TestStorage::formStorageKeepsMissingAndSurvivesErrors()
{
    XmlFileStorage store;
    store.writeString("View", "broken", "x");
    store.writeString("View", "good", "applied");
    QString missing = "kept";
    QString good;
    FormStorage layout(store, "View");
    layout.addProperty("broken", [] { return QString(); },
                       [](const QString &) { throw std::runtime_error("does not fit"); });
    layout.addProperty("missing", [&] { return missing; }, [&](const QString &v) { missing = v; });
    layout.addProperty("good", [&] { return good; }, [&](const QString &v) { good = v; });
    layout.restore();
    QCOMPARE(missing, QStringLiteral("kept"));
    QCOMPARE(good, QStringLiteral("applied"));
}

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
