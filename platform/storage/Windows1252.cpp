#include "Windows1252.h"

#include <QHash>
#include <QStringDecoder>

namespace windows1252 {

namespace {

// Built once from Qt's own decoder, so the table and decode() can never disagree.
const QHash<char16_t, char> &byteTable()
{
    static const QHash<char16_t, char> table = [] {
        QByteArray all;
        for (int code = 0; code < 256; ++code)
            all.append(char(code));
        const QString characters = decode(all);
        QHash<char16_t, char> result;
        for (int code = 0; code < characters.size(); ++code)
            result.insert(characters.at(code).unicode(), char(code));
        return result;
    }();
    return table;
}

} // namespace

QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1252");
    return decoder.decode(bytes);
}

QByteArray encode(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar character : text)
        bytes.append(byteOf(character).value_or('?'));
    return bytes;
}

std::optional<char> byteOf(QChar character)
{
    const auto &table = byteTable();
    const auto found = table.constFind(character.unicode());
    if (found == table.constEnd())
        return std::nullopt;
    return *found;
}

} // namespace windows1252
