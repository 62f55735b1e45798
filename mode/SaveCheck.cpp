#include "mode/SaveCheck.h"

#include "mode/ModeFile.h"

namespace vel {

namespace {
const char* const kFieldNames[kColumnCount] = {"Roman", "Tengwar", "If next roman", "If previous ID", "ID"};
}  // namespace

std::vector<SaveProblem> FindSaveProblems(const ModeTable& table) {
    std::vector<SaveProblem> problems;
    const std::string& comment = table.Comment();
    if (comment.find(kTab) != std::string::npos)
        problems.push_back({0, "The comment holds a TAB; a comment cannot hold one."});
    if (int(comment.size()) > kCommentLimit)
        problems.push_back({0, "The comment is " + std::to_string(comment.size()) +
                                   " characters long; a comment can hold at most " + std::to_string(kCommentLimit) +
                                   "."});
    const auto& rows = table.Clauses();
    for (size_t i = 0; i < rows.size(); ++i) {
        const Clause& clause = rows[i];
        if (clause.Roman().empty()) continue;  // saved as a gap, by design
        const int number = int(i + 1);
        const std::string row = "Row " + std::to_string(number);
        size_t length = 0;
        for (int c = 0; c < kColumnCount; ++c) {
            length += clause.FieldSize(c);
            if (clause.Field(c).find(kTab) != std::string_view::npos)
                problems.push_back(
                    {number, row + " holds a TAB in its " + kFieldNames[c] + " field; a field cannot hold one."});
        }
        const auto first = static_cast<unsigned char>(clause.Roman()[0]);
        if (first <= 9)
            problems.push_back({number, row + " begins with the character of code " + std::to_string(first) +
                                            ", which the file would read as an empty record; a clause cannot begin "
                                            "with a code below 10."});
        if (length > size_t(kClauseTextLimit))
            problems.push_back({number, row + " is " + std::to_string(length) +
                                            " characters long; a clause can hold at most " +
                                            std::to_string(kClauseTextLimit) + "."});
    }
    return problems;
}

std::vector<std::string> FindUnsavableRows(const ModeTable& table) {
    std::vector<std::string> sentences;
    for (SaveProblem& p : FindSaveProblems(table)) sentences.push_back(std::move(p.sentence));
    return sentences;
}

}  // namespace vel
