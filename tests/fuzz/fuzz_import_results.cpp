// Any bytes go through the import as the window and svltool take them: read,
// computed and, when the plan holds, applied to a small game, without a
// crash, a leak or undefined behaviour. A refused import leaves the game as
// it was; an applied one touches no member, adds what it reports, records its
// days in date order with every team, saves and loads back as it is, history
// too, and the same list applied again changes nothing more.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "gamefile/game_file.h"
#include "imports/results_import.h"
#include "imports/results_replay.h"
#include "text/sjis_codec.h"

namespace {

using namespace scorvale;
using namespace scorvale::imports;

constexpr std::string_view kToday = "26/12/10";

Game smallGame() {
    Game game;
    for (const char* utf8 : {"日本", "ブラジル", "Atlantis", "韓国"}) {
        Team team;
        team.name = sjis::fromUtf8(utf8).value();
        team.symbol = "x.png";
        team.wins = 1;
        game.addTeam(team);
    }
    Member m;
    m.name = "M";
    m.appendVote(game.teamAt(0).name.view());
    game.addMember(m);
    return game;
}

const std::vector<NameAlias> kAliases = {{"Nippon", "日本"}, {"Samba", "BRA"}, {"Nowhere", "Atlantis"}};

bool same(const Game& a, const Game& b) {
    return a.settings == b.settings && a.teams() == b.teams() && a.members() == b.members() && a.history == b.history;
}

void check(bool ok) {
    if (!ok) __builtin_trap();
}

// Applies the list to `game` with the default plan; false when it is refused.
bool importOnce(Game& game, std::string_view bytes, ResultOptions options, PreparedImport* prepared,
                ImportSummary* summary) {
    TeamMatcher matcher(game, kAliases);
    try {
        *prepared = prepareImport(bytes, matcher, options);
    } catch (const ImportError&) {
        return false;
    }
    const MatchResults& r = prepared->results;
    check(static_cast<std::size_t>(r.playedMatches + r.unplayedMatches) == prepared->list.matches.size());
    check(prepared->plan.targets.size() == r.teams.size());
    for (const TeamResult& t : r.teams)
        check(t.wins + t.draws + t.losses + t.tournamentWins <= t.playedMatches && t.qualify <= 1 && t.out <= 1);

    const Game before = game;
    try {
        *summary = applyImportWithHistory(game, prepared->list, r, prepared->plan, options, kToday);
    } catch (const ImportError&) {
        check(same(game, before));
        return false;
    }
    check(game.members() == before.members());
    check(static_cast<std::size_t>(game.teamCount()) ==
          static_cast<std::size_t>(before.teamCount()) + summary->added.size());
    check(game.settings.date == kToday);
    const auto& days = game.history.days();
    for (std::size_t i = 0; i < days.size(); ++i) {
        check(i == 0 || days[i - 1].date < days[i].date);
        check(days[i].date <= kToday);
        check(days[i].teams.size() == static_cast<std::size_t>(game.teamCount()));
    }
    Game loaded;
    loadGameBytes(loaded, gameFileBytes(game), ReadAll);
    check(loaded.teams() == game.teams());
    check(loaded.history == game.history);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static const Game base = smallGame();
    const ResultOptions options{size % 2 == 1};

    Game game = base;
    PreparedImport prepared;
    ImportSummary summary;
    if (!importOnce(game, bytes, options, &prepared, &summary)) return 0;

    // Read again into the changed game, the list maps onto the teams it made
    // and leaves them as they are.
    const Game first = game;
    PreparedImport again;
    ImportSummary secondSummary;
    check(importOnce(game, bytes, options, &again, &secondSummary));
    check(secondSummary.added.empty());
    check(same(game, first));
    return 0;
}
