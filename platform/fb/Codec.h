#pragma once

#include <QByteArray>
#include <QString>

namespace fb {

// No character set is requested on the connection, so text crosses it as the 8-bit
// bytes of the client; this layer speaks windows-1252 on both directions.
QString fromClientText(QByteArrayView bytes);
QByteArray toClientText(const QString &text);

} // namespace fb
