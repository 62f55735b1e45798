#include "wizard/WizardGenerate.h"

#include "mode/GlyphTables.h"

namespace vel {

namespace {

std::string WithoutTabs(const std::string& text) {
    if (text.find(kTab) == std::string::npos) return text;
    std::string out;
    out.reserve(text.size());
    for (char ch : text)
        if (ch != kTab) out += ch;
    return out;
}

template <size_t N>
std::array<std::string, N> ReadTexts(const std::array<std::string, N>& texts) {
    std::array<std::string, N> out;
    for (size_t i = 0; i < N; ++i) out[i] = WithoutTabs(texts[i]);
    return out;
}

std::string Glyph(char g) { return std::string(1, g); }

}  // namespace

void CutToEntryFields(Clause& clause) {
    for (int c = 0; c < kColumnCount; ++c) {
        const size_t limit = size_t(kFieldLimits[c]);
        if (clause.FieldSize(c) > limit) clause.SetField(c, clause.Field(c).substr(0, limit));
    }
}

std::vector<Clause> GenerateClauses(const WizardFields& fields) {
    const auto roman = ReadTexts(fields.txtRoman);
    const auto tehta = ReadTexts(fields.txtTehta);
    const auto longCarrier = ReadTexts(fields.txtLongCarrier);

    std::vector<Clause> out;
    out.reserve(kMaxGeneratedClauses);
    auto add = [&out](std::string romanText, std::string tengwar, std::string ifNext, std::string ifPrevious,
                      std::string id) {
        Clause c = MakeClause(std::move(romanText), std::move(tengwar), std::move(ifNext), std::move(ifPrevious),
                              std::move(id));
        CutToEntryFields(c);
        out.push_back(std::move(c));
    };

    // Group 1: each tengwa alone, leaving its glyph as the ID.
    for (int i = 0; i < kGeneratedTengwaCount; ++i) {
        if (roman[size_t(i)].empty()) continue;
        const std::string g = Glyph(kTengwaTable[size_t(i)].glyph);
        add(roman[size_t(i)], g, "", "", g);
    }

    // Group 2: tehtar, only when an order is chosen; carriers included.
    if (fields.optTehtaOrder == TehtaOrder::Following || fields.optTehtaOrder == TehtaOrder::Preceding) {
        const bool following = fields.optTehtaOrder == TehtaOrder::Following;
        for (int j = 0; j < kTehtaFieldCount; ++j) {
            const std::string& t = tehta[size_t(j)];
            if (t.empty()) continue;
            const char onCarrier = TehtaGlyph(j, TehtaClass::D);
            if (IsOn(fields.chkShortCarrier))
                add(t, {kShortCarrier, onCarrier}, "", "", Glyph(kShortCarrier));
            if (IsOn(fields.chkLongCarrier))
                add(t + t, {kLongCarrier, onCarrier}, "", "", Glyph(kLongCarrier));
            for (int i = 0; i < kGeneratedTengwaCount; ++i) {
                const TengwaGlyph& tg = kTengwaTable[size_t(i)];
                if (tg.tehta == TehtaClass::None || roman[size_t(i)].empty()) continue;
                const char v = TehtaGlyph(j, tg.tehta);
                if (following)
                    add(t + roman[size_t(i)], {tg.glyph, v}, "", "", Glyph(tg.glyph));
                else
                    add(t, Glyph(v), "", Glyph(tg.glyph), Glyph(tg.glyph));
            }
        }
    }

    // Group 3: long carriers typed for themselves, whatever the options.
    for (int k = 0; k < kTehtaFieldCount; ++k) {
        if (longCarrier[size_t(k)].empty()) continue;
        add(longCarrier[size_t(k)], {kLongCarrier, TehtaGlyph(k, TehtaClass::D)}, "", "", Glyph(kLongCarrier));
    }

    // Group 4: a final s after a tengwa becomes its s-curl.
    if (IsOn(fields.chkSCurls)) {
        for (int i = 0; i < kGeneratedTengwaCount; ++i) {
            const TengwaGlyph& tg = kTengwaTable[size_t(i)];
            if (tg.sCurl == 0 || roman[size_t(i)].empty()) continue;
            add("s", Glyph(tg.sCurl), Glyph(kNonAlphanumeric), Glyph(tg.glyph), Glyph(tg.sCurl));
        }
    }

    // Group 5: a doubled tengwa becomes the tengwa with an under-bar.
    if (IsOn(fields.chkDoubleTengwar)) {
        for (int i = 0; i < kGeneratedTengwaCount; ++i) {
            const TengwaGlyph& tg = kTengwaTable[size_t(i)];
            if (tg.underBar == 0 || roman[size_t(i)].empty()) continue;
            add(roman[size_t(i)], Glyph(tg.underBar), "", Glyph(tg.glyph), Glyph(tg.glyph));
        }
    }
    return out;
}

}  // namespace vel
