#include "MessagingProtocol.h"

namespace messaging::protocol {

bool isValidName(const QString &name)
{
    if (name.isEmpty() || name.size() > maxNameLength)
        return false;
    for (const QChar c : name) {
        if (c.isSpace() || c.category() == QChar::Other_Control || c == QLatin1Char('\\'))
            return false;
    }
    return true;
}

QString escapeText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else
            out += c;
    }
    return out;
}

QString unescapeText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const QChar next = text.at(++i);
        out += next == QLatin1Char('n') ? QChar('\n') : next == QLatin1Char('r') ? QChar('\r') : next;
    }
    return out;
}

static QByteArray line(const QString &content)
{
    return content.toUtf8() + '\n';
}

QByteArray joinLine(const QString &room, const QString &user)
{
    return line(QStringLiteral("JOIN %1 %2").arg(room, user));
}

QByteArray joinedLine(const QString &room, const QString &user)
{
    return line(QStringLiteral("JOINED %1 %2").arg(room, user));
}

QByteArray messageLine(const QString &text)
{
    return line(QStringLiteral("MSG ") + escapeText(text));
}

QByteArray fromLine(const QString &user, const QString &text)
{
    return line(QStringLiteral("FROM %1 ").arg(user) + escapeText(text));
}

QByteArray errorLine(const QString &text)
{
    return line(QStringLiteral("ERROR ") + escapeText(text));
}

QByteArray leaveLine()
{
    return line(QStringLiteral("LEAVE"));
}

// Names before the free text, then the free text (when the command has one).
static std::optional<QStringList> splitArgs(const QString &rest, int names, bool text)
{
    QStringList args;
    QString remaining = rest;
    for (int i = 0; i < names; ++i) {
        const qsizetype space = remaining.indexOf(QLatin1Char(' '));
        const bool last = i == names - 1 && !text;
        const QString name = last ? remaining : remaining.left(space);
        if ((!last && space < 0) || !isValidName(name))
            return std::nullopt;
        args.append(name);
        remaining = last ? QString() : remaining.mid(space + 1);
    }
    if (text)
        args.append(unescapeText(remaining));
    return args;
}

std::optional<Line> parseLine(const QByteArray &bytes)
{
    const QString text = QString::fromUtf8(bytes);
    const qsizetype space = text.indexOf(QLatin1Char(' '));
    Line parsed{space < 0 ? text : text.left(space), {}};
    const QString rest = space < 0 ? QString() : text.mid(space + 1);
    struct Shape { const char *command; int names; bool text; };
    static constexpr Shape shapes[] = {{"JOIN", 2, false}, {"JOINED", 2, false}, {"MSG", 0, true},
                                       {"FROM", 1, true},  {"ERROR", 0, true},   {"LEAVE", 0, false}};
    for (const Shape &shape : shapes) {
        if (parsed.command != QLatin1String(shape.command))
            continue;
        if (shape.names == 0 && !shape.text)
            return rest.isEmpty() && space < 0 ? std::optional<Line>(parsed) : std::nullopt;
        const auto args = splitArgs(rest, shape.names, shape.text);
        if (!args)
            return std::nullopt;
        parsed.args = *args;
        return parsed;
    }
    return parsed;  // unknown command: the caller answers it
}

std::optional<QByteArray> LineReader::next()
{
    const qsizetype end = buffer_.indexOf('\n');
    if (end < 0 || end >= maxLineBytes)
        return std::nullopt;
    QByteArray result = buffer_.left(end);
    buffer_.remove(0, end + 1);
    if (result.endsWith('\r'))
        result.chop(1);
    return result;
}

bool LineReader::overflowed() const
{
    const qsizetype end = buffer_.indexOf('\n');
    return end >= maxLineBytes || (end < 0 && buffer_.size() >= maxLineBytes);
}

} // namespace messaging::protocol
