#include "DataHolder.h"
#include "InstallationIdentity.h"
#include "VigenereCipher.h"
#include "kunciu.h"
#include "versionInfoUnit.h"
#include "zqu111.h"

#include "storage/FormStorage.h"
#include "storage/Windows1252.h"

#include "TestFiles.h"

#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

const QByteArray key = VigenereCipher::connectionKey;

// What the installer stores for a plain value: its enciphered codes as windows-1252 text.
QString enciphered(const QString &plain)
{
    return windows1252::decode(VigenereCipher::encipher(windows1252::encode(plain), key));
}

// A connection file body with user "TARVEN" and password "tarven3", whose enciphered
// codes include 0x84, 0x8A and 0x8F: bytes that only survive the right decoding.
QString connectionXml(const QString &declaration, const QString &root = "Configuration",
                      const QStringList &names = {"dbhost", "dbname", "dbuser", "dbpasswd"})
{
    return declaration + "<" + root + ">\n"
         + "  <" + names[0] + ">srv1</" + names[0] + ">\n"
         + "  <" + names[1] + ">/data/db.fdb</" + names[1] + ">\n"
         + "  <" + names[2] + ">" + enciphered("TARVEN") + "</" + names[2] + ">\n"
         + "  <" + names[3] + ">" + enciphered("tarven3") + "</" + names[3] + ">\n"
         + "</" + root + ">\n";
}

QByteArray utf16WithMark(const QString &text)
{
    QStringEncoder encoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    return encoder.encode(text);
}

} // namespace

class TestConfig : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void decipher_data();
    void decipher();
    void encipherIsTheInverse();

    void connectionFile_data();
    void connectionFile();
    void missingConnectionFileGivesEmptySettings();
    void rejectedConnectionFileNamesTheFile();
    void toolOutputReadsBack_data();
    void toolOutputReadsBack();
    void toolWritesInstallationIdentity();
    void toolRejectsIncompleteOrUnstorableInput_data();
    void toolRejectsIncompleteOrUnstorableInput();

    void writeBackKeepsValues();
    void writeBackCreatesMissingFile();
    void writeBackLeavesReadOnlyFile();
    void writeBackNeverReplacesRejectedFile();

    void databaseNameIsHostColonName_data();
    void databaseNameIsHostColonName();

    void versionText_data();
    void versionText();
    void compiledVersionIsTheProjects();

    void installationIdentity_data();
    void installationIdentity();

    void sessionStoreKeepsLayoutsOnly();
    void sessionStoreReadOnlyIsUntouched();
    void rejectedSessionStoreReportedOnceAndReplaced();
    void sessionStoreFileFollowsVersion();

private:
    QString freshFolder();
    std::unique_ptr<TForm1_kunci> readConnectionFile(const QString &folder);
    std::unique_ptr<TForm111> createForm111(const TForm1_kunci &kunci, const QString &folder);
    int runTool(const QStringList &arguments, QByteArray *errors = nullptr);

    QTemporaryDir root_;
    int folders_ = 0;
};

void TestConfig::initTestCase()
{
    QVERIFY(root_.isValid());
    // The session store's folder: kept inside this test's own directory.
    qputenv("XDG_DATA_HOME", root_.filePath("data").toLocal8Bit());
}

QString TestConfig::freshFolder()
{
    const QString folder = root_.filePath(QStringLiteral("case%1").arg(++folders_));
    QDir().mkpath(folder);
    return folder;
}

std::unique_ptr<TForm1_kunci> TestConfig::readConnectionFile(const QString &folder)
{
    auto kunci = std::make_unique<TForm1_kunci>(folder);
    kunci->FormCreate();
    return kunci;
}

std::unique_ptr<TForm111> TestConfig::createForm111(const TForm1_kunci &kunci,
                                                    const QString &folder)
{
    auto form = std::make_unique<TForm111>(kunci, folder);
    form->FormCreate();
    return form;
}

int TestConfig::runTool(const QStringList &arguments, QByteArray *errors)
{
    QProcess tool;
    tool.start(QStringLiteral(TARVEN_CONNFILE), arguments);
    if (!tool.waitForFinished(30000))
        return -1;
    if (errors)
        *errors = tool.readAllStandardError();
    return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
}

void TestConfig::decipher_data()
{
    QTest::addColumn<QByteArray>("cipherText");
    QTest::addColumn<QByteArray>("plain");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    // '6' is 0x36: 0x66 - 0x36 = 0x30.
    QTest::newRow("one code") << QByteArray("\x66") << QByteArray("0");
    QTest::newRow("length kept, key repeats at the sixth")
        << QByteArray("\x66\x60\x68\x69\x63\x66\x60") << QByteArray("0000000");
    QTest::newRow("wrap-around below the key code")
        << QByteArray("\x10") << QByteArray("\xDA"); // 256 + 0x10 - 0x36
    QTest::newRow("zero code") << QByteArray(1, '\0') << QByteArray("\xCA");
}

void TestConfig::decipher()
{
    QFETCH(QByteArray, cipherText);
    QFETCH(QByteArray, plain);
    const QByteArray result = VigenereCipher::decipher(cipherText, key);
    QCOMPARE(result.size(), cipherText.size());
    QCOMPARE(result, plain);
}

void TestConfig::encipherIsTheInverse()
{
    QByteArray all;
    for (int code = 0; code < 256; ++code)
        all.append(char(code));
    const QByteArray enciphered = VigenereCipher::encipher(all, key);
    QVERIFY(enciphered != all);
    QCOMPARE(VigenereCipher::decipher(enciphered, key), all);
    QCOMPARE(VigenereCipher::decipher("abc", QByteArray()), QByteArray("abc"));
}

void TestConfig::connectionFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QString utf8Declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    QTest::newRow("UTF-8 with mark")
        << QByteArray("\xEF\xBB\xBF") + connectionXml(utf8Declaration).toUtf8();
    QTest::newRow("UTF-8 declared, no mark") << connectionXml(utf8Declaration).toUtf8();
    QTest::newRow("UTF-16 with mark") << utf16WithMark(
        connectionXml("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"));
    QTest::newRow("Windows-1252 declared") << windows1252::encode(
        connectionXml("<?xml version=\"1.0\" encoding=\"Windows-1252\" standalone=\"no\"?>\n"));
    QTest::newRow("no mark, no declaration") << windows1252::encode(connectionXml(QString()));
    QTest::newRow("declaration without encoding")
        << windows1252::encode(connectionXml("<?xml version=\"1.0\"?>\n"));
    QTest::newRow("other root name") << connectionXml(utf8Declaration, "Settings").toUtf8();
    QTest::newRow("element names in other case")
        << connectionXml(utf8Declaration, "Configuration", {"DBHOST", "DbName", "dbUser", "DBPASSWD"})
               .toUtf8();
    QTest::newRow("extra elements and entities")
        << QByteArray("<Configuration><extra>1</extra><dbhost>srv1</dbhost>"
                      "<nested><dbname>wrong</dbname></nested>"
                      "<dbname>/data/db&#46;fdb</dbname><dbuser>\x8Aq\x8A\x8Fx\x84</dbuser>"
                      "<dbpasswd>")
               + windows1252::encode(enciphered("tarven3")) + "</dbpasswd><z/></Configuration>";
}

void TestConfig::connectionFile()
{
    QFETCH(QByteArray, bytes);
    const QString folder = freshFolder();
    writeAll(folder + "/dodide.xmlx", bytes);
    const auto kunci = readConnectionFile(folder);
    QCOMPARE(kunci->dbhost(), QStringLiteral("srv1"));
    QCOMPARE(kunci->dbname(), QStringLiteral("/data/db.fdb"));
    QCOMPARE(kunci->dbuser(), QStringLiteral("TARVEN"));
    QCOMPARE(kunci->dbpasswd(), QStringLiteral("tarven3"));
}

void TestConfig::missingConnectionFileGivesEmptySettings()
{
    const QString folder = freshFolder();
    writeAll(folder + "/dodide.xmlx", "<Configuration><dbhost>only</dbhost></Configuration>");
    auto partial = readConnectionFile(folder);
    QCOMPARE(partial->dbhost(), QStringLiteral("only"));
    QCOMPARE(partial->dbname(), QString());
    QCOMPARE(partial->dbuser(), QString());
    QCOMPARE(partial->dbpasswd(), QString());

    const auto missing = readConnectionFile(freshFolder());
    QCOMPARE(missing->dbhost(), QString());
    QCOMPARE(missing->dbpasswd(), QString());
}

void TestConfig::rejectedConnectionFileNamesTheFile()
{
    const QString folder = freshFolder();
    writeAll(folder + "/dodide.xmlx", "<Configuration><dbhost>srv1</dbname></Configuration>");
    TForm1_kunci kunci(folder);
    try {
        kunci.FormCreate();
        QFAIL("a malformed connection file was accepted");
    } catch (const XmlFileError &error) {
        QVERIFY2(error.message().contains(folder + "/dodide.xmlx"), qPrintable(error.message()));
        QVERIFY2(error.message().contains("line 1"), qPrintable(error.message()));
    }
}

void TestConfig::toolOutputReadsBack_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::newRow("plain") << "TARVEN" << "tarven3";
    QTest::newRow("markup and spaces") << "a&b <c>" << " \"pass word\" ";
    // Enciphered, the user wraps to "5* " and the password to CR, LF, tab, 0xB9, 0xB4.
    QTest::newRow("codes that wrap and line breaks")
        << QStringLiteral("\u00FF\u00FA\u00E8")
        << QStringLiteral("\u00D7\u00DA\u00D1\u20AC\u0081");
    QTest::newRow("empty password") << "SYSDBA" << "";
}

void TestConfig::toolOutputReadsBack()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    const QString folder = freshFolder();
    QByteArray errors;
    QCOMPARE(runTool({"--host", "srv1", "--database", "/data/a&b.fdb", "--user", user,
                      "--password", password, "--output-dir", folder},
                     &errors),
             0);
    QVERIFY2(errors.isEmpty(), errors.constData());
    const auto kunci = readConnectionFile(folder);
    QCOMPARE(kunci->dbhost(), QStringLiteral("srv1"));
    QCOMPARE(kunci->dbname(), QStringLiteral("/data/a&b.fdb"));
    QCOMPARE(kunci->dbuser(), user);
    QCOMPARE(kunci->dbpasswd(), password);
    QVERIFY(!QFile::exists(folder + "/tarven-institusi.ini"));
}

void TestConfig::toolWritesInstallationIdentity()
{
    const QString folder = freshFolder();
    QCOMPARE(runTool({"--host", "h", "--database", "d", "--user", "u", "--password", "p",
                      "--institution", QStringLiteral("Klinik \u00C9toile"), "--address",
                      "Jl. Merdeka 1, Bandung", "--output-dir", folder}),
             0);
    TForm1_kunci kunci(folder);
    const auto form = createForm111(kunci, folder);
    QCOMPARE(form->institutionName(), QStringLiteral("Klinik \u00C9toile"));
    QCOMPARE(form->institutionAddress(), QStringLiteral("Jl. Merdeka 1, Bandung"));
}

void TestConfig::toolRejectsIncompleteOrUnstorableInput_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QStringList complete = {"--host", "h", "--database", "d", "--user", "u",
                                  "--password", "p"};
    QTest::newRow("no output folder") << complete << 2 << "missing option --output-dir";
    QTest::newRow("no password") << complete.mid(0, 6) + QStringList{"--output-dir", "OUT"} << 2
                                 << "missing option --password";
    QTest::newRow("address without institution")
        << complete + QStringList{"--address", "a", "--output-dir", "OUT"} << 2
        << "missing option --institution";
    // 0xE9 + '6' wraps to 0x1F, a control character no XML file can hold.
    QTest::newRow("password enciphering to a control code")
        << complete.mid(0, 6) + QStringList{"--password", QStringLiteral("\u00E9"), "--output-dir", "OUT"}
        << 1 << "enciphered password";
    QTest::newRow("user outside windows-1252")
        << complete.mid(0, 4) + QStringList{"--user", QStringLiteral("\u03B1"), "--password", "p",
                                            "--output-dir", "OUT"}
        << 1 << "outside windows-1252";
}

void TestConfig::toolRejectsIncompleteOrUnstorableInput()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const QString folder = freshFolder();
    arguments.replaceInStrings(QRegularExpression("^OUT$"), folder);
    QByteArray errors;
    QCOMPARE(runTool(arguments, &errors), exitCode);
    QVERIFY2(QString::fromUtf8(errors).contains(message), errors.constData());
    QVERIFY(!QFile::exists(folder + "/dodide.xmlx"));
}

void TestConfig::writeBackKeepsValues()
{
    const QString folder = freshFolder();
    QCOMPARE(runTool({"--host", "srv1", "--database", "/data/db.fdb", "--user", "TARVEN",
                      "--password", "tarven3", "--institution", "Klinik", "--address", "Jl. A",
                      "--output-dir", folder}),
             0);
    readConnectionFile(folder).reset(); // destruction writes the file back
    const auto again = readConnectionFile(folder);
    QCOMPARE(again->dbhost(), QStringLiteral("srv1"));
    QCOMPARE(again->dbname(), QStringLiteral("/data/db.fdb"));
    QCOMPARE(again->dbuser(), QStringLiteral("TARVEN"));
    QCOMPARE(again->dbpasswd(), QStringLiteral("tarven3"));
    QVERIFY(readAll(folder + "/dodide.xmlx").startsWith("<?xml version=\"1.0\" encoding=\"Windows-1252\""));
}

void TestConfig::writeBackCreatesMissingFile()
{
    const QString folder = freshFolder();
    readConnectionFile(folder).reset();
    XmlFileStorage written;
    written.load(folder + "/dodide.xmlx");
    QVERIFY(QFile::exists(folder + "/dodide.xmlx"));
    QCOMPARE(written.document().name, QStringLiteral("Configuration"));
    QVERIFY(written.document().children.isEmpty());
}

void TestConfig::writeBackLeavesReadOnlyFile()
{
    const QString folder = freshFolder();
    const QString path = folder + "/dodide.xmlx";
    const QByteArray original = "<Configuration><dbhost>srv1</dbhost></Configuration>";
    writeAll(path, original);
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
    const auto kunci = readConnectionFile(folder);
    QVERIFY(!kunci->writeBack());
    QCOMPARE(readAll(path), original);
}

void TestConfig::writeBackNeverReplacesRejectedFile()
{
    const QString folder = freshFolder();
    const QString path = folder + "/dodide.xmlx";
    const QByteArray broken = "<Configuration><dbhost>srv1</Configuration>";
    writeAll(path, broken);
    {
        TForm1_kunci kunci(folder);
        QVERIFY_THROWS_EXCEPTION(XmlFileError, kunci.FormCreate());
        QVERIFY(!kunci.writeBack());
    }
    QCOMPARE(readAll(path), broken);
}

void TestConfig::databaseNameIsHostColonName_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("databaseName");
    QTest::newRow("both") << "srv1" << "/data/db.fdb" << "srv1:/data/db.fdb";
    QTest::newRow("both missing") << "" << "" << ":";
    QTest::newRow("host missing") << "" << "/data/db.fdb" << ":/data/db.fdb";
    QTest::newRow("name missing") << "srv1" << "" << "srv1:";
}

void TestConfig::databaseNameIsHostColonName()
{
    QFETCH(QString, host);
    QFETCH(QString, name);
    QFETCH(QString, databaseName);
    const QString folder = freshFolder();
    XmlFileStorage file;
    if (!host.isEmpty())
        file.setRootValue("dbhost", host);
    if (!name.isEmpty())
        file.setRootValue("dbname", name);
    file.setRootValue("dbuser", enciphered("TARVEN"));
    file.setRootValue("dbpasswd", enciphered("tarven3"));
    QVERIFY(file.save(folder + "/dodide.xmlx"));
    const auto kunci = readConnectionFile(folder);

    DataHolder holder;
    holder.db1.setDatabaseName("design-time placeholder");
    holder.db1.setUserName("placeholder");
    ApplyConnectionSettings(holder.db1, *kunci);
    QCOMPARE(holder.db1.params().databaseName, databaseName);
    QCOMPARE(holder.db1.params().userName, QStringLiteral("TARVEN"));
    QCOMPARE(holder.db1.params().password, QStringLiteral("tarven3"));
    QVERIFY(holder.db1.connectOnUse());
    QVERIFY(!holder.db1.isConnected());
}

void TestConfig::versionText_data()
{
    QTest::addColumn<std::optional<TVersionInfo::Block>>("block");
    QTest::addColumn<QString>("text");
    QTest::newRow("1.2.3.4") << std::optional(TVersionInfo::Block{1, 2, 3, 4}) << "1.2.3.4";
    QTest::newRow("unsigned parts") << std::optional(TVersionInfo::Block{0, 3, 7, 40000})
                                    << "0.3.7.40000";
    QTest::newRow("largest parts") << std::optional(TVersionInfo::Block{65535, 0, 0, 65535})
                                   << "65535.0.0.65535";
    QTest::newRow("no version block") << std::optional<TVersionInfo::Block>() << "-1.-1.-1.-1";
}

void TestConfig::versionText()
{
    QFETCH(std::optional<TVersionInfo::Block>, block);
    QFETCH(QString, text);
    const TVersionInfo info(block);
    QCOMPARE(GetVersionText(info), text);
    QCOMPARE(info.VersionPart(0), -1);
    QCOMPARE(info.VersionPart(5), -1);
}

void TestConfig::compiledVersionIsTheProjects()
{
    QCOMPARE(GetVersionText(), QStringLiteral(TARVEN_EXPECTED_VERSION));
}

void TestConfig::installationIdentity_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::newRow("missing file") << QByteArray() << "" << "";
    QTest::newRow("UTF-8 texts") << QByteArray("[institusi]\nnama=Klinik Sehat \xC3\xA9\n"
                                               "alamat=\"Jl. Merdeka 1, Bandung\"\n")
                                 << QStringLiteral("Klinik Sehat \u00E9")
                                 << "Jl. Merdeka 1, Bandung";
    QTest::newRow("unquoted comma") << QByteArray("[institusi]\nnama=A\nalamat=Jl. B 2, Bogor\n")
                                    << "A" << "Jl. B 2, Bogor";
    QTest::newRow("missing key") << QByteArray("[institusi]\nnama=A\n") << "A" << "";
}

void TestConfig::installationIdentity()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, name);
    QFETCH(QString, address);
    const QString folder = freshFolder();
    if (!ini.isEmpty())
        writeAll(folder + "/tarven-institusi.ini", ini);
    TForm1_kunci kunci(folder);
    const auto form = createForm111(kunci, folder);
    QCOMPARE(form->institutionName(), name);
    QCOMPARE(form->institutionAddress(), address);

    // What the tool writes reads back the same way.
    const QString written = freshFolder();
    QString error;
    const InstallationIdentity identity{name, address};
    QVERIFY2(identity.write(written, &error), qPrintable(error));
    const InstallationIdentity reread = InstallationIdentity::read(written);
    QCOMPARE(reread.name, name);
    QCOMPARE(reread.address, address);
}

void TestConfig::sessionStoreKeepsLayoutsOnly()
{
    const QString folder = freshFolder();
    TForm1_kunci kunci(folder);
    const QString path = TForm111::sessionStoreFolder() + "/tarven-" + GetVersionText() + ".xml";
    QFile::remove(path);
    {
        const auto form = createForm111(kunci, folder);
        QCOMPARE(form->storageUmum.text("versi"), GetVersionText());
        QCOMPARE(form->storageUmum.text("PEGAWAI"), QString());
        QCOMPARE(form->storageUmum.text("jenis_jual"), QString());
        form->storageUmum.setValue("pegawai", "Budi Santoso");
        form->storageUmum.setValue("log_pemakai", "L000000042");

        QString columns = "designed";
        FormStorage layout(form->xml, "Form1_feeRawat");
        layout.addProperty("grid1.Columns", [&] { return columns; },
                           [&](const QString &v) { columns = v; });
        layout.restore();
        QCOMPARE(columns, QStringLiteral("designed"));
        QVERIFY(!QFile::exists(path));
        columns = "tanggal:90";
        layout.save();
        QVERIFY(!QFile::exists(path)); // written once, at exit
    }
    const QByteArray file = readAll(path);
    QVERIFY(file.contains("<Form1_feeRawat>"));
    QVERIFY(file.contains("tanggal:90"));
    for (const char *never : {"Budi", "L000000042", "<pegawai", "<log_pemakai", "<versi"})
        QVERIFY2(!file.contains(never), never);

    const auto next = createForm111(kunci, folder);
    QCOMPARE(next->storageUmum.text("pegawai"), QString());
    QCOMPARE(next->xml.readString("Form1_feeRawat", "grid1.Columns"), QStringLiteral("tanggal:90"));
}

void TestConfig::sessionStoreReadOnlyIsUntouched()
{
    const QString folder = freshFolder();
    TForm1_kunci kunci(folder);
    const QString path = TForm111::sessionStoreFolder() + "/tarven-" + GetVersionText() + ".xml";
    QDir().mkpath(TForm111::sessionStoreFolder());
    QFile::remove(path);
    const QByteArray original = "<Configuration><View><p>1</p></View></Configuration>";
    writeAll(path, original);
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
    {
        const auto form = createForm111(kunci, folder);
        form->xml.writeString("View", "p", "2");
        QVERIFY(!form->writeSessionStore());
    }
    QCOMPARE(readAll(path), original);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::remove(path);
}

void TestConfig::rejectedSessionStoreReportedOnceAndReplaced()
{
    const QString folder = freshFolder();
    TForm1_kunci kunci(folder);
    const QString path = TForm111::sessionStoreFolder() + "/tarven-" + GetVersionText() + ".xml";
    QDir().mkpath(TForm111::sessionStoreFolder());
    writeAll(path, "this is not XML");
    QStringList reports;
    {
        TForm111 form(kunci, folder);
        form.setErrorReport([&](const QString &message) { reports << message; });
        form.FormCreate(); // start-up carries on
        QCOMPARE(form.storageUmum.text("versi"), GetVersionText());
        QVERIFY(form.xml.document().children.isEmpty());
        form.xml.writeString("View", "p", "after");
    }
    QCOMPARE(reports.size(), 1);
    QVERIFY2(reports.first().contains(path), qPrintable(reports.first()));
    XmlFileStorage replaced;
    replaced.load(path);
    QCOMPARE(replaced.readString("View", "p"), QStringLiteral("after"));
    QFile::remove(path);
}

void TestConfig::sessionStoreFileFollowsVersion()
{
    const QString folder = freshFolder();
    TForm1_kunci kunci(folder);
    TForm111 unbound(kunci, folder);
    QVERIFY(!unbound.writeSessionStore()); // nothing is written before FormCreate
    const auto form = createForm111(kunci, folder);
    QCOMPARE(form->xml.fileName(),
             root_.filePath("data") + "/tarven-" + TARVEN_EXPECTED_VERSION + ".xml");
}

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
