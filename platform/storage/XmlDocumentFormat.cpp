#include "XmlDocumentFormat.h"

#include "Windows1252.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <vector>

XmlFileError::XmlFileError(const QString &message)
    : std::runtime_error(message.toUtf8().toStdString())
{
}

namespace xmldocument {

namespace {

bool hasByteOrderMark(const QByteArray &bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE")
        || bytes.startsWith("\xFE\xFF");
}

// UTF-16 without a mark still shows a zero byte beside the opening '<'.
bool looksLikeUtf16(const QByteArray &bytes)
{
    return bytes.size() >= 2 && (bytes.at(0) == '\0' || bytes.at(1) == '\0');
}

bool declaresEncoding(const QByteArray &bytes)
{
    if (!bytes.startsWith("<?xml"))
        return false;
    const qsizetype end = bytes.indexOf("?>");
    if (end < 0)
        return false;
    static const QRegularExpression encodingAttribute(R"(\sencoding\s*=\s*["'])");
    return encodingAttribute.match(QString::fromLatin1(bytes.left(end))).hasMatch();
}

// Given a QString the reader ignores any declared encoding, which is what a file without
// mark or declaration needs: its bytes are windows-1252, not the reader's default UTF-8.
void addInput(QXmlStreamReader &reader, const QByteArray &bytes)
{
    if (hasByteOrderMark(bytes) || looksLikeUtf16(bytes) || declaresEncoding(bytes))
        reader.addData(bytes);
    else
        reader.addData(windows1252::decode(bytes));
}

XmlElement startedElement(const QXmlStreamReader &reader)
{
    XmlElement element{reader.qualifiedName().toString(), {}, {}, {}};
    for (const QXmlStreamAttribute &attribute : reader.attributes())
        element.attributes.append({attribute.qualifiedName().toString(), attribute.value().toString()});
    return element;
}

bool isXmlCharacter(char32_t code)
{
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF)
        || (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

// Code points of a text; a lone surrogate comes out as itself and fails isXmlCharacter.
template <typename Visit>
void forEachCodePoint(const QString &text, Visit visit)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            visit(QChar::surrogateToUcs4(c, text.at(i + 1)));
            ++i;
        } else {
            visit(char32_t(c.unicode()));
        }
    }
}

const char *entityFor(char32_t code, bool inAttribute)
{
    switch (code) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '\r': return "&#13;"; // a raw CR would be read back as a line feed
    case '"': return inAttribute ? "&quot;" : nullptr;
    case '\t': return inAttribute ? "&#9;" : nullptr;
    case '\n': return inAttribute ? "&#10;" : nullptr;
    default: return nullptr;
    }
}

void appendEscaped(QByteArray &out, const QString &text, bool inAttribute)
{
    forEachCodePoint(text, [&](char32_t code) {
        // A character XML cannot carry would make the whole file unreadable next time.
        if (!isXmlCharacter(code))
            code = 0xFFFD;
        if (const char *entity = entityFor(code, inAttribute)) {
            out.append(entity);
            return;
        }
        if (code < 0x10000) {
            if (const auto byte = windows1252::byteOf(QChar(char16_t(code)))) {
                out.append(*byte);
                return;
            }
        }
        out.append("&#x" + QByteArray::number(uint(code), 16).toUpper() + ';');
    });
}

void appendElement(QByteArray &out, const XmlElement &element, int depth)
{
    const QByteArray indent(2 * depth, ' ');
    out.append(indent).append('<');
    appendEscaped(out, element.name, false);
    for (const auto &[name, value] : element.attributes) {
        out.append(' ');
        appendEscaped(out, name, false);
        out.append("=\"");
        appendEscaped(out, value, true);
        out.append('"');
    }
    if (element.children.isEmpty() && element.text.isEmpty()) {
        out.append("/>\n");
        return;
    }
    out.append('>');
    if (element.children.isEmpty()) {
        appendEscaped(out, element.text, false);
    } else {
        out.append('\n');
        for (const XmlElement &child : element.children)
            appendElement(out, child, depth + 1);
        out.append(indent);
    }
    out.append("</");
    appendEscaped(out, element.name, false);
    out.append(">\n");
}

} // namespace

XmlElement parse(const QByteArray &bytes, const QString &fileName)
{
    QXmlStreamReader reader;
    addInput(reader, bytes);
    std::vector<XmlElement> open;
    XmlElement root;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            open.push_back(startedElement(reader));
            break;
        case QXmlStreamReader::Characters:
            if (!open.empty())
                open.back().text += reader.text();
            break;
        case QXmlStreamReader::EndElement: {
            XmlElement done = std::move(open.back());
            open.pop_back();
            if (!done.children.isEmpty())
                done.text.clear(); // only the indentation between child elements
            if (open.empty())
                root = std::move(done);
            else
                open.back().children.append(std::move(done));
            break;
        }
        default:
            break;
        }
    }
    if (reader.hasError()) {
        throw XmlFileError(QStringLiteral("%1, line %2: %3")
                               .arg(fileName)
                               .arg(reader.lineNumber())
                               .arg(reader.errorString()));
    }
    return root;
}

QByteArray serialize(const XmlElement &root)
{
    QByteArray out = "<?xml version=\"1.0\" encoding=\"Windows-1252\" standalone=\"no\"?>\n";
    appendElement(out, root, 0);
    return out;
}

bool canHold(const QString &text)
{
    bool holds = true;
    forEachCodePoint(text, [&](char32_t code) { holds = holds && isXmlCharacter(code); });
    return holds;
}

} // namespace xmldocument
