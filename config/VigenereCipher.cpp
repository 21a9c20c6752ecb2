#include "VigenereCipher.h"

namespace {

QByteArray shifted(const QByteArray &text, const QByteArray &key, int direction)
{
    if (key.isEmpty())
        return text;
    QByteArray result(text.size(), '\0');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int code = static_cast<unsigned char>(text.at(i));
        const int keyCode = static_cast<unsigned char>(key.at(i % key.size()));
        result[i] = char((256 + code + direction * keyCode) & 255);
    }
    return result;
}

} // namespace

QByteArray VigenereCipher::decipher(const QByteArray &cipherText, const QByteArray &key)
{
    return shifted(cipherText, key, -1);
}

QByteArray VigenereCipher::encipher(const QByteArray &plainText, const QByteArray &key)
{
    return shifted(plainText, key, +1);
}
