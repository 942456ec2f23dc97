#include "undo/undo_history.h"

#include <algorithm>
#include <stdexcept>

namespace scorvale::undo {

namespace {
bool& checkEveryRecord() {
    static bool check = false;
    return check;
}
}  // namespace

void UndoHistory::checkEveryRecordForTesting(bool check) { checkEveryRecord() = check; }

void UndoHistory::begin(Game& game, GameReach reach) {
    pending_.reset();
    GameBefore before = recordBefore(game, reach, checkEveryRecord());
    // Records that were not numbered as the steps left them: the steps no
    // longer fit the game.
    if (!before.numberingKept) clear();
    pending_ = std::move(before);
}

bool UndoHistory::end(Game& game, StepInfo info) {
    if (!pending_) return false;
    GameBefore before = std::move(*pending_);
    pending_.reset();
    std::optional<GameChange> change = changeBack(std::move(before), game);
    if (!change) return false;
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(position_), steps_.end());
    if (savedAt_ && *savedAt_ > position_) savedAt_.reset();
    const std::size_t bytes = change->memoryBytes();
    steps_.push_back({std::move(*change), info, bytes});
    ++position_;
    trim();
    return true;
}

void UndoHistory::trim() {
    std::size_t total = memoryBytes();
    while (steps_.size() > kMostSteps || (steps_.size() > kStepsAlwaysKept && total > kMemoryBudget)) {
        total -= steps_.front().bytes;
        steps_.pop_front();
        --position_;
        if (savedAt_) savedAt_ = *savedAt_ == 0 ? std::nullopt : std::optional<std::size_t>(*savedAt_ - 1);
    }
}

void UndoHistory::turn(Step& step, Game& game) {
    try {
        step.change = applyChange(std::move(step.change), game);
    } catch (const std::logic_error&) {
        // The game is not the one the steps were made on: they are of no use.
        clear();
        throw;
    }
    step.bytes = step.change.memoryBytes();
}

void UndoHistory::undo(Game& game, const Ending& ending) {
    if (!canUndo()) return;
    Step& step = steps_[position_ - 1];
    turn(step, game);
    --position_;
    if (ending) ending(step.info);
}

void UndoHistory::redo(Game& game, const Ending& ending) {
    if (!canRedo()) return;
    Step& step = steps_[position_];
    turn(step, game);
    ++position_;
    if (ending) ending(step.info);
}

void UndoHistory::clear() {
    steps_.clear();
    position_ = 0;
    savedAt_ = 0;
    pending_.reset();
}

bool UndoHistory::unsaved() const {
    if (!savedAt_) return true;
    const std::size_t from = std::min(*savedAt_, position_);
    const std::size_t to = std::max(*savedAt_, position_);
    for (std::size_t i = from; i < to; ++i)
        if (steps_[i].change.changesFile) return true;
    return false;
}

std::size_t UndoHistory::memoryBytes() const {
    std::size_t total = 0;
    for (const Step& step : steps_) total += step.bytes;
    return total;
}

}  // namespace scorvale::undo
