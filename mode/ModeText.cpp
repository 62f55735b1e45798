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

std::string ExportHeaderLine(std::string_view comment, bool caseSensitive) {
    std::string out = EscapeBytes(comment);
    out += '\t';
    out += caseSensitive ? '1' : '0';
    out += '\n';
    return out;
}

std::string ExportClauseLine(const Clause& clause) {
    std::string out;
    for (int c = 0; c < kColumnCount; ++c) {
        if (c > 0) out += '\t';
        out += EscapeBytes(clause.Field(c));
    }
    out += '\n';
    return out;
}

std::string ExportModeText(const ModeTable& table) {
    std::string out = ExportHeaderLine(table.Comment(), table.CaseSensitive());
    for (const Clause& clause : table.Clauses()) out += ExportClauseLine(clause);
    return out;
}

bool ModeTextReader::Fail(std::string message) {
    failed_ = true;
    error_ = std::move(message);
    return false;
}

bool ModeTextReader::Feed(std::string_view piece) {
    while (!failed_ && !piece.empty()) {
        const size_t lf = piece.find('\n');
        const size_t part = lf == std::string_view::npos ? piece.size() : lf;
        if (pending_.size() + part > kModeTextLineLimit)
            return Fail(LineError(lineNo_ + 1, "the line is longer than " + std::to_string(kModeTextLineLimit) +
                                                   " bytes, far more than a clause or a comment takes."));
        if (lf == std::string_view::npos) {
            pending_.append(piece);
            return true;
        }
        if (pending_.empty()) {
            TakeLine(piece.substr(0, lf), true);
        } else {
            pending_.append(piece.substr(0, lf));
            TakeLine(pending_, true);
            pending_.clear();
        }
        piece.remove_prefix(lf + 1);
    }
    return !failed_;
}

bool ModeTextReader::TakeLine(std::string_view line, bool endedByLf) {
    ++lineNo_;
    // Only a CR right before the LF belongs to the line end; the last line,
    // which has no LF, keeps a CR at its end as the byte 13.
    if (endedByLf && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string why;
    if (!sawHeader_) {
        if (lineNo_ == 1 && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
        const size_t tab = line.rfind('\t');
        if (tab == std::string_view::npos || tab + 2 != line.size() || (line[tab + 1] != '0' && line[tab + 1] != '1'))
            return Fail(LineError(lineNo_, "the first line must be the comment, a TAB and the case digit 0 or 1."));
        std::string comment;
        if (!UnescapeText(line.substr(0, tab), comment, why)) return Fail(LineError(lineNo_, why + "."));
        result_.SetComment(std::move(comment));
        result_.SetCaseSensitive(line[tab + 1] == '1');
        sawHeader_ = true;
        return true;
    }
    if (line.empty()) {
        if (firstBlank_ == 0) firstBlank_ = lineNo_;
        return true;
    }
    if (firstBlank_ != 0)
        return Fail(LineError(firstBlank_, "the line is blank; blank lines may only come at the end of the text."));
    size_t tabs = 0;
    for (char c : line) tabs += c == '\t' ? 1 : 0;
    if (tabs != 4)
        return Fail(LineError(lineNo_, "a clause needs exactly four TABs between its five fields; this line has " +
                                           std::to_string(tabs) + "."));
    std::string fields[kColumnCount];
    size_t start = 0;
    for (int c = 0; c < kColumnCount; ++c) {
        const size_t stop = c < kColumnCount - 1 ? line.find('\t', start) : line.size();
        if (!UnescapeText(line.substr(start, stop - start), fields[c], why)) return Fail(LineError(lineNo_, why + "."));
        start = stop + 1;
    }
    Clause clause(fields[0], fields[1], fields[2], fields[3], fields[4]);
    if (clause.Roman().empty())
        return Fail(LineError(lineNo_, "the Roman field is empty; a clause needs Roman letters."));
    result_.AppendClause(std::move(clause));
    return true;
}

bool ModeTextReader::Finish(ModeTable& table) {
    if (failed_) return false;
    if (!pending_.empty()) {
        const std::string last = std::move(pending_);
        pending_.clear();
        if (!TakeLine(last, false)) return false;
    }
    if (!sawHeader_) return Fail("The text is empty: its first line must be the comment, a TAB and the case digit.");
    table = std::move(result_);
    result_ = ModeTable();
    return true;
}

bool ImportModeText(std::string_view text, ModeTable& table, std::string& error) {
    ModeTextReader reader;
    if (reader.Feed(text) && reader.Finish(table)) return true;
    error = reader.Error();
    return false;
}

}  // namespace vel
