#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Lines of the room messaging protocol (PROTOCOL.md beside this file), shared by the
// client and any server written in this code base.
namespace messaging::protocol {

constexpr qsizetype maxLineBytes = 65536;
constexpr qsizetype maxNameLength = 64;

bool isValidName(const QString &name);
QString escapeText(const QString &text);
QString unescapeText(const QString &text);

QByteArray joinLine(const QString &room, const QString &user);
QByteArray joinedLine(const QString &room, const QString &user);
QByteArray messageLine(const QString &text);
QByteArray fromLine(const QString &user, const QString &text);
QByteArray errorLine(const QString &text);
QByteArray leaveLine();

// A received line split into its command and arguments, free text unescaped.
struct Line {
    QString command;
    QStringList args;
};
// nullopt when the line does not have the arguments its command needs.
std::optional<Line> parseLine(const QByteArray &line);

// Cuts a byte stream into lines (without their end of line).
class LineReader {
public:
    void append(const QByteArray &bytes) { buffer_ += bytes; }
    // The next complete line, if one has arrived.
    std::optional<QByteArray> next();
    // A line longer than the limit is arriving: the connection should be closed.
    bool overflowed() const;

private:
    QByteArray buffer_;
};

} // namespace messaging::protocol
