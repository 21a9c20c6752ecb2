#include "Codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace fb {

// Stateless converters can be reused for every value; one per thread keeps them private.
QString fromClientText(QByteArrayView bytes)
{
    thread_local QStringDecoder decoder("windows-1252", QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

QByteArray toClientText(const QString &text)
{
    thread_local QStringEncoder encoder("windows-1252", QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

} // namespace fb
