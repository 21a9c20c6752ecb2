#pragma once

#include <QByteArray>

// The Vigenère cipher that protects the user name and password in the connection file.
// It works on 8-bit character codes: each code is shifted by the code of the matching key
// character, the key starting again at its first character for every value and repeating
// along it. An empty key leaves the text unchanged.
class VigenereCipher {
public:
    // The key the connection file's values are enciphered with.
    static constexpr char connectionKey[] = "60893";

    // p[i] = (256 + c[i] - k[i mod m]) & 255
    static QByteArray decipher(const QByteArray &cipherText, const QByteArray &key);
    // c[i] = (p[i] + k[i mod m]) & 255; used only by the installer's tool, never by the program.
    static QByteArray encipher(const QByteArray &plainText, const QByteArray &key);
};
