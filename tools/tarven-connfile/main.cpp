// tarven-connfile --host H --database D --user U --password P
//                 [--institution NAME --address ADDR] --output-dir DIR
// Writes DIR/dodide.xmlx with the user name and password enciphered, and, when an
// institution is given, DIR/tarven-institusi.ini.

#include "InstallationIdentity.h"
#include "VigenereCipher.h"
#include "kunciu.h"
#include "storage/Windows1252.h"
#include "storage/XmlFileStorage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>
#include <optional>
#include <stdexcept>

namespace {

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

QString required(const QCommandLineParser &parser, const QString &option)
{
    if (!parser.isSet(option))
        throw UsageError(QStringLiteral("missing option --%1").arg(option).toStdString());
    return parser.value(option);
}

// The program reads every value as windows-1252 text, so a value must be made of it.
void checkAnsi(const QString &what, const QString &value)
{
    if (windows1252::decode(windows1252::encode(value)) != value)
        throw std::runtime_error(
            QStringLiteral("the %1 holds characters outside windows-1252").arg(what).toStdString());
}

void checkStorable(const QString &what, const QString &value)
{
    if (!xmldocument::canHold(value))
        throw std::runtime_error(QStringLiteral("the %1 holds a code the connection file cannot "
                                                "carry (a control character); choose another")
                                     .arg(what)
                                     .toStdString());
}

QString plainValue(const QString &what, const QString &value)
{
    checkAnsi(what, value);
    checkStorable(what, value);
    return value;
}

// Every 8-bit code of the enciphered value becomes the windows-1252 character of that
// code; the file's writer turns into a character reference whatever it cannot hold as is.
QString encipheredValue(const QString &what, const QString &value)
{
    checkAnsi(what, value);
    const QString enciphered = windows1252::decode(
        VigenereCipher::encipher(windows1252::encode(value), VigenereCipher::connectionKey));
    checkStorable(QStringLiteral("enciphered ") + what, enciphered);
    return enciphered;
}

// Everything the files will hold, checked in full before the first byte is written.
struct Request {
    QString outputDir;
    XmlFileStorage connectionFile;
    std::optional<InstallationIdentity> identity;
};

Request requestFrom(const QCommandLineParser &parser)
{
    Request request;
    request.outputDir = required(parser, "output-dir");
    XmlFileStorage &file = request.connectionFile;
    file.setRootValue("dbhost", plainValue("host", required(parser, "host")));
    file.setRootValue("dbname", plainValue("database name", required(parser, "database")));
    file.setRootValue("dbuser", encipheredValue("user name", required(parser, "user")));
    file.setRootValue("dbpasswd", encipheredValue("password", required(parser, "password")));
    if (parser.isSet("institution") || parser.isSet("address"))
        request.identity = InstallationIdentity{required(parser, "institution"),
                                                required(parser, "address")};
    return request;
}

void write(const Request &request)
{
    if (!QDir().mkpath(request.outputDir))
        throw std::runtime_error(
            QStringLiteral("cannot create %1").arg(request.outputDir).toStdString());
    const QString path = QDir(request.outputDir)
                             .filePath(QString::fromLatin1(TForm1_kunci::connectionFileName));
    if (!request.connectionFile.save(path))
        throw std::runtime_error(QStringLiteral("cannot write %1").arg(path).toStdString());
    QString error;
    if (request.identity && !request.identity->write(request.outputDir, &error))
        throw std::runtime_error(error.toStdString());
}

void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription("Writes the connection file dodide.xmlx for an installation.");
    parser.addHelpOption();
    parser.addOptions({
        {"host", "Database server host name or address.", "H"},
        {"database", "Database name or path on that server.", "D"},
        {"user", "Database user name (stored enciphered).", "U"},
        {"password", "Database password (stored enciphered).", "P"},
        {"institution", "Institution name for the identity file.", "NAME"},
        {"address", "Institution address for the identity file.", "ADDR"},
        {"output-dir", "Folder of the executable to write the files into.", "DIR"},
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    addOptions(parser);
    parser.process(app);
    QTextStream err(stderr);
    try {
        write(requestFrom(parser));
    } catch (const UsageError &error) {
        err << "tarven-connfile: " << error.what() << "\n" << parser.helpText();
        return 2;
    } catch (const std::exception &error) {
        err << "tarven-connfile: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
