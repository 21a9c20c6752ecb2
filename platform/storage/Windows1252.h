#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The 8-bit ANSI code page the connection file and the database speak. Every one of the
// 256 codes maps to a character of its own and back again (the five codes the code page
// leaves undefined map to the control characters of the same number, as Windows does), so
// a value deciphered byte by byte never loses a code on the way.
namespace windows1252 {

QString decode(const QByteArray &bytes);

// Characters outside the code page become '?', as the code page conversion of Windows does.
QByteArray encode(const QString &text);

// The code of one character, or nothing when the code page has no such character.
std::optional<char> byteOf(QChar character);

} // namespace windows1252
