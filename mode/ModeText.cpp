#include "mode/ModeText.h"

#include <cstdio>

#include "mode/Cp1252.h"

namespace vel {

namespace {

bool NeedsEscape(unsigned char b) {
    return b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string LineError(size_t line, const std::string& what) {
    return "Line " + std::to_string(line) + ": " + what;
}

}  // namespace

std::string EscapeBytes(std::string_view bytes) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '\\') {
            out += "\\\\";
        } else if (NeedsEscape(b)) {
            out += "\\x";
            out += hex[b >> 4];
            out += hex[b & 15];
        } else {
            AppendUtf8(out, kCp1252ToUnicode[b]);
        }
    }
    return out;
}

bool UnescapeText(std::string_view text, std::string& bytes, std::string& error) {
    bytes.clear();
    size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == '\\') {
            if (pos + 1 < text.size() && text[pos + 1] == '\\') {
                bytes += '\\';
                pos += 2;
                continue;
            }
            if (pos + 4 <= text.size() && text[pos + 1] == 'x') {
                const int hi = HexValue(text[pos + 2]), lo = HexValue(text[pos + 3]);
                if (hi >= 0 && lo >= 0) {
                    bytes += char(hi * 16 + lo);
                    pos += 4;
                    continue;
                }
            }
            error = "a backslash must begin \\\\ or \\x followed by two hexadecimal digits";
            return false;
        }
        char32_t cp;
        if (!NextUtf8(text, pos, cp)) {
            error = "the text is not valid UTF-8";
            return false;
        }
        const int b = UnicodeToCp1252(cp);
        if (b < 0) {
            char buf[16];
            std::snprintf(buf, sizeof buf, "U+%04X", unsigned(cp));
            error = std::string("the character ") + buf + " has no Windows-1252 byte";
            return false;
        }
        bytes += char(b);
    }
    return true;
}

std::string ExportModeText(const ModeTable& table) {
    std::string out = EscapeBytes(table.Comment());
    out += '\t';
    out += table.CaseSensitive() ? '1' : '0';
    out += '\n';
    for (const Clause& clause : table.Clauses()) {
        for (int c = 0; c < kColumnCount; ++c) {
            if (c > 0) out += '\t';
            out += EscapeBytes(clause.Field(c));
        }
        out += '\n';
    }
    return out;
}

bool ImportModeText(std::string_view text, ModeTable& table, std::string& error) {
    ModeTable result;
    size_t lineNo = 0;
    size_t pos = 0;
    bool sawHeader = false;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        std::string why;
        if (!sawHeader) {
            const size_t tab = line.rfind('\t');
            if (tab == std::string_view::npos || tab + 2 != line.size() || (line[tab + 1] != '0' && line[tab + 1] != '1')) {
                error = LineError(lineNo, "the first line must be the comment, a TAB and the case digit 0 or 1.");
                return false;
            }
            std::string comment;
            if (!UnescapeText(line.substr(0, tab), comment, why)) {
                error = LineError(lineNo, why + ".");
                return false;
            }
            result.SetComment(std::move(comment));
            result.SetCaseSensitive(line[tab + 1] == '1');
            sawHeader = true;
            continue;
        }
        size_t tabs = 0;
        for (char c : line) tabs += c == '\t' ? 1 : 0;
        if (tabs != 4) {
            error = LineError(lineNo, "a clause needs exactly four TABs between its five fields; this line has " +
                                          std::to_string(tabs) + ".");
            return false;
        }
        std::string fields[kColumnCount];
        size_t start = 0;
        for (int c = 0; c < kColumnCount; ++c) {
            size_t stop = c < kColumnCount - 1 ? line.find('\t', start) : line.size();
            if (!UnescapeText(line.substr(start, stop - start), fields[c], why)) {
                error = LineError(lineNo, why + ".");
                return false;
            }
            start = stop + 1;
        }
        Clause clause(fields[0], fields[1], fields[2], fields[3], fields[4]);
        if (clause.Roman().empty()) {
            error = LineError(lineNo, "the Roman field is empty; a clause needs Roman letters.");
            return false;
        }
        result.AppendClause(std::move(clause));
    }
    if (!sawHeader) {
        error = "The text is empty: its first line must be the comment, a TAB and the case digit.";
        return false;
    }
    table = std::move(result);
    return true;
}

}  // namespace vel
