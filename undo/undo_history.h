#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>

#include "undo/game_change.h"

namespace scorvale::undo {

// What the window tells of a step: which command made it (the window's own
// code) and whether editing was unlocked then.
struct StepInfo {
    int kind = 0;
    bool madeUnlocked = true;
};

// The steps of undo and redo over one game. A command is bracketed by
// begin and end; each end that finds the game changed keeps one step. Undo
// and redo restore the game on the other side of a step exactly (values,
// records and their order), then run the ending the caller gives.
class UndoHistory {
public:
    // The newest steps kept whatever they hold; older ones stay while all
    // together hold at most kMemoryBudget bytes, up to kMostSteps.
    static constexpr std::size_t kStepsAlwaysKept = 100;
    static constexpr std::size_t kMostSteps = 1000;
    static constexpr std::size_t kMemoryBudget = std::size_t{256} << 20;

    // Before a command that may change `game` within `reach`.
    void begin(Game& game, GameReach reach);
    // After it, its ending included: keeps the step when the game changed,
    // dropping the steps that could have been redone. True when kept.
    bool end(Game& game, StepInfo info);
    // The command ended in a way that keeps no step (it failed before it
    // changed anything).
    void abandon() { pending_.reset(); }

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < steps_.size(); }
    const StepInfo& undoStep() const { return steps_[position_ - 1].info; }
    const StepInfo& redoStep() const { return steps_[position_].info; }

    // Then `ending` runs on the restored game: the scoring and the orderings
    // the step's command ended with. A game that is not the one the steps
    // were made on is left as it is, the steps dropped (std::logic_error);
    // memory running out leaves both as they were.
    using Ending = std::function<void(const StepInfo&)>;
    void undo(Game& game, const Ending& ending);
    void redo(Game& game, const Ending& ending);

    // A new game (a load, a new one): no steps, and this game is the saved one.
    void clear();
    // The game as it is now is the one in its file.
    void markSaved() { savedAt_ = position_; }
    // Whether the game differs from the one last saved in what a file holds:
    // some step between the two changed it, or the saved one is out of reach.
    bool unsaved() const;

    std::size_t size() const { return steps_.size(); }
    std::size_t position() const { return position_; }
    std::size_t memoryBytes() const;

    // Test seam: every command copies every record and its end checks that
    // nothing outside the reach it named changed (std::logic_error).
    static void checkEveryRecordForTesting(bool check);

private:
    struct Step {
        GameChange change;
        StepInfo info;
        std::size_t bytes = 0;
    };
    // Applies the step and keeps its reverse in its place.
    void turn(Step& step, Game& game);
    void trim();

    std::deque<Step> steps_;
    std::size_t position_ = 0;  // steps done
    std::optional<std::size_t> savedAt_ = 0;
    std::optional<GameBefore> pending_;
};

}  // namespace scorvale::undo
