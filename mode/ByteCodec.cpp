#include "mode/ByteCodec.h"

#include "mode/Cp1252.h"

namespace vel {

QChar ByteToQChar(unsigned char b) { return QChar(kCp1252ToUnicode[b]); }

char QCharToByte(QChar ch) {
    const int b = UnicodeToCp1252(ch.unicode());
    return b < 0 ? '?' : char(b);
}

QString BytesToQString(std::string_view bytes) {
    QString out(qsizetype(bytes.size()), Qt::Uninitialized);
    QChar* data = out.data();
    for (size_t i = 0; i < bytes.size(); ++i) data[i] = ByteToQChar(static_cast<unsigned char>(bytes[i]));
    return out;
}

std::string QStringToBytes(const QString& text) {
    std::string out;
    out.reserve(size_t(text.size()));
    // A character outside the BMP is one '?', not two.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += '?';
            ++i;
            continue;
        }
        out += QCharToByte(ch);
    }
    return out;
}

QChar LowerChar(QChar ch) {
    const int b = UnicodeToCp1252(ch.unicode());
    if (b < 0) return ch;
    return ByteToQChar(LowerCp1252(static_cast<unsigned char>(b)));
}

QString LowerText(const QString& text) {
    QString out = text;
    for (QChar& ch : out) ch = LowerChar(ch);
    return out;
}

QChar ControlSign(QChar ch) {
    if (ch == QChar(u'\r')) return QChar(0x23CE);
    if (ch.unicode() < 0x20 || ch.unicode() == 0x7F) return QChar(0x25AF);
    return {};
}

QString VisibleText(std::string_view bytes) {
    QString text = BytesToQString(bytes);
    for (QChar& ch : text)
        if (const QChar sign = ControlSign(ch); !sign.isNull()) ch = sign;
    return text;
}

}  // namespace vel
