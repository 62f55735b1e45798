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
// The visible sign that stands for a control byte's character on screen
// (the marker, 13, as a return sign; the other bytes below 32 and 127 as a
// box), or a null QChar for any other character. Neither is in the code
// page's Latin range, which Tengwar fonts fill with glyphs.
QChar ControlSign(QChar ch);
// The bytes as text to show: control bytes replaced by their signs.
QString VisibleText(std::string_view bytes);
// Lower case by the rules of the 8-bit code page (accented capitals too).
QChar LowerChar(QChar ch);
QString LowerText(const QString& text);

}  // namespace vel
