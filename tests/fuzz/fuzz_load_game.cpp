// Any bytes load without a crash, a leak or a read past the data, the
// single-pass reader agrees with the literal one, and what follows the end
// line (the results history) survives a save.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "gamefile/game_file.h"
#include "tests/support/literal_game_file.h"

namespace {

using namespace scorvale;

bool same(const Game& a, const Game& b) {
    return a.settings == b.settings && a.report == b.report && a.teams() == b.teams() && a.members() == b.members();
}

Game existingGame() {
    Game game;
    Team t;
    t.name = "A";
    game.addTeam(t);
    Member m;
    m.name = "M";
    m.appendVote("A");
    game.addMember(m);
    return game;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static const unsigned kFlags[] = {0, ReadSettings, ReadTeams, ReadMembers, ReadSettings | ReadTeams,
                                      ReadSettings | ReadMembers, ReadTeams | ReadMembers, ReadAll};
    for (const unsigned flags : {static_cast<unsigned>(ReadAll), kFlags[size % 8]}) {
        Game fast = flags == ReadAll ? Game{} : existingGame();
        Game slow = fast;
        loadGameBytes(fast, bytes, flags);
        literal::loadGameBytes(slow, bytes, flags);
        if (!same(fast, slow)) __builtin_trap();
        if (flags != ReadAll) continue;
        // The history and page choice a save writes come back as they went
        // (one save first: a CR in a name is written as a space).
        Game saved;
        loadGameBytes(saved, gameFileBytes(fast), ReadAll);
        Game again;
        loadGameBytes(again, gameFileBytes(saved), ReadAll);
        if (!(again.history == saved.history && again.page == saved.page)) __builtin_trap();
    }
    return 0;
}
