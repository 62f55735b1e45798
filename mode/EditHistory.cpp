#include "mode/EditHistory.h"

namespace vel {

namespace {
const std::string kNone;

size_t ClauseBytes(const std::vector<Clause>& clauses) {
    size_t bytes = clauses.capacity() * sizeof(Clause);
    // Texts beyond the string's own small buffer live on the heap.
    for (const Clause& c : clauses)
        if (c.TextSize() > 15) bytes += c.TextSize() + 1;
    return bytes;
}
}  // namespace

const std::string& EditHistory::UndoName() const { return CanUndo() ? steps_[done_ - 1].name : kNone; }

const std::string& EditHistory::RedoName() const { return CanRedo() ? steps_[done_].name : kNone; }

size_t EditHistory::BytesOf(const EditStep& step) {
    size_t bytes = sizeof(EditStep) + step.name.capacity();
    for (const EditPart& part : step.parts)
        bytes += sizeof(EditPart) + ClauseBytes(part.clauses) + part.order.capacity() * sizeof(uint32_t) +
                 part.text.capacity();
    return bytes;
}

void EditHistory::Push(EditStep step) {
    if (clean_ > long(done_)) clean_ = -1;  // the clean state was undone and is now overwritten
    steps_.erase(steps_.begin() + long(done_), steps_.end());
    step.bytes = BytesOf(step);
    steps_.push_back(std::move(step));
    done_ = steps_.size();
    Trim();
}

EditStep* EditHistory::OpenTyping() {
    if (!CanUndo() || CanRedo() || AtClean()) return nullptr;
    EditStep& last = steps_[done_ - 1];
    return last.typing ? &last : nullptr;
}

void EditHistory::CloseTyping() {
    if (CanUndo()) steps_[done_ - 1].typing = false;
}

void EditHistory::Undone() {
    EditStep& step = steps_[done_ - 1];
    step.typing = false;
    step.bytes = BytesOf(step);
    --done_;
    Trim();
}

void EditHistory::Redone() {
    EditStep& step = steps_[done_];
    step.bytes = BytesOf(step);
    ++done_;
    Trim();
}

void EditHistory::Clear() {
    steps_.clear();
    done_ = 0;
    clean_ = 0;
}

size_t EditHistory::Bytes() const {
    size_t bytes = 0;
    for (const EditStep& step : steps_) bytes += step.bytes;
    return bytes;
}

void EditHistory::Trim() {
    size_t bytes = Bytes();
    // Drop from the far end of the history: the oldest done steps first,
    // then, when only undone steps are left beyond the newest, those.
    while (steps_.size() > 1 && (steps_.size() > kMaxSteps || bytes > kByteBudget)) {
        if (done_ > 1) {
            bytes -= steps_.front().bytes;
            steps_.pop_front();
            --done_;
            clean_ = clean_ > 0 ? clean_ - 1 : -1;
        } else if (steps_.size() > done_) {
            bytes -= steps_.back().bytes;
            steps_.pop_back();
            if (clean_ > long(steps_.size())) clean_ = -1;
        } else {
            break;
        }
    }
}

}  // namespace vel
