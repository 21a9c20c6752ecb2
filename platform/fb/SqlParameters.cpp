#include "SqlParameters.h"

namespace fb {

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == '_' || c == '$';
}

// Index just past a stretch that ends with `closing` (a doubled closing quote stays inside).
qsizetype skipQuoted(const QString &sql, qsizetype i, QChar closing)
{
    for (++i; i < sql.size(); ++i) {
        if (sql[i] != closing)
            continue;
        if (i + 1 < sql.size() && sql[i + 1] == closing)
            ++i;
        else
            return i + 1;
    }
    return sql.size();
}

// Index just past a comment starting at i, or i when none starts there.
qsizetype skipComment(const QString &sql, qsizetype i)
{
    if (sql.mid(i, 2) == "--") {
        const qsizetype end = sql.indexOf('\n', i);
        return end < 0 ? sql.size() : end;
    }
    if (sql.mid(i, 2) == "/*") {
        const qsizetype end = sql.indexOf("*/", i + 2);
        return end < 0 ? sql.size() : end + 2;
    }
    return i;
}

} // namespace

PositionalSql toPositional(const QString &sql)
{
    PositionalSql out;
    out.sql.reserve(sql.size());
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        qsizetype next = i;
        if (c == '\'' || c == '"')
            next = skipQuoted(sql, i, c);
        else
            next = skipComment(sql, i);
        if (next != i) {
            out.sql += QStringView(sql).mid(i, next - i);
            i = next;
            continue;
        }
        if (c == ':' || c == '?') {
            qsizetype end = i + 1;
            while (end < sql.size() && isNameChar(sql[end]))
                ++end;
            // A lone ':' is not a parameter; a lone '?' is an unnamed positional one.
            if (c == '?' || end > i + 1) {
                out.names << sql.mid(i + 1, end - i - 1).toUpper();
                out.sql += '?';
                i = end;
                continue;
            }
        }
        out.sql += c;
        ++i;
    }
    return out;
}

} // namespace fb
