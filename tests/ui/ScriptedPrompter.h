#pragma once
// A Prompter for tests: answers come from a script, and every call is
// recorded, so a test checks the exact question, title, icon and buttons.
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <stdexcept>
#include <vector>

#include "dialogs/Prompter.h"

namespace vel::test {

class ScriptedPrompter : public Prompter {
public:
    struct Call {
        QString kind;  // "ask", "tell", "input", "open", "save"
        QString title;
        QString text;
        Icon icon = Icon::None;
        int buttons = 0;
        int defaultButton = 0;
        FileDialog dialog;
    };

    // Queue answers in the order the program will ask.
    void AnswerAsk(int button) { asks_.push_back(button); }
    void AnswerInput(std::optional<QString> text) { inputs_.push_back(std::move(text)); }
    void AnswerFile(std::optional<QString> path) { files_.push_back(std::move(path)); }

    std::vector<Call> calls;
    bool Exhausted() const { return asks_.empty() && inputs_.empty() && files_.empty(); }
    int Count(const QString& kind) const {
        int n = 0;
        for (const Call& c : calls) n += c.kind == kind ? 1 : 0;
        return n;
    }
    // An unexpected dialog answers as a user closing it would, and is recorded.
    int Ask(const QString& title, const QString& text, Icon icon, int buttons, int defaultButton) override {
        calls.push_back({"ask", title, text, icon, buttons, defaultButton, {}});
        if (asks_.empty()) return (buttons & Cancel) ? Cancel : (buttons & No) ? No : Ok;
        const int b = asks_.front();
        asks_.pop_front();
        return b;
    }
    void Tell(const QString& title, const QString& text, Icon icon) override {
        calls.push_back({"tell", title, text, icon, Ok, Ok, {}});
    }
    std::optional<QString> Input(const QString& title, const QString& prompt, const QString&) override {
        calls.push_back({"input", title, prompt, Icon::None, 0, 0, {}});
        return Next(inputs_);
    }
    std::optional<QString> OpenFile(const FileDialog& dialog) override { return File("open", dialog); }
    std::optional<QString> SaveFile(const FileDialog& dialog) override { return File("save", dialog); }

private:
    static std::optional<QString> Next(std::deque<std::optional<QString>>& queue) {
        std::optional<QString> answer;
        if (!queue.empty()) {
            answer.swap(queue.front());
            queue.pop_front();
        }
        return answer;
    }
    std::optional<QString> File(const QString& kind, const FileDialog& dialog) {
        Call c;
        c.kind = kind;
        c.title = dialog.title;
        c.dialog = dialog;
        calls.push_back(c);
        return Next(files_);
    }
    std::deque<int> asks_;
    std::deque<std::optional<QString>> inputs_;
    std::deque<std::optional<QString>> files_;
};

}  // namespace vel::test
