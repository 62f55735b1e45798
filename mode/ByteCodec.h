#pragma once
// The boundary between the core's bytes and Qt's text. Every byte maps to a
// distinct QChar through the Windows-1252 table and back; a character with
// no byte becomes '?'. Clipboard, text fields and fonts all go through here.
#include <QChar>
#include <QString>
#include <string>
#include <string_view>

namespace vel {

QChar ByteToQChar(unsigned char b);
// The byte for a character, or '?' when the code page has none.
char QCharToByte(QChar ch);
QString BytesToQString(std::string_view bytes);
std::string QStringToBytes(const QString& text);
// Lower case by the rules of the 8-bit code page (accented capitals too).
QChar LowerChar(QChar ch);
QString LowerText(const QString& text);

}  // namespace vel
