#include "imports/results_import.h"

#include "gamefile/file_lines.h"

#include <map>
#include <optional>
#include <stdexcept>

#include "imports/placeholder.h"
#include "model/text_field.h"
#include "text/normalize.h"
#include "text/sjis_codec.h"

namespace scorvale::imports {

namespace {

// `utf8`, the team's `field` ("name" or "group"), as a team field holds it,
// or the reason it cannot.
std::string fieldBytes(const std::string& listName, const std::string& field, const std::string& utf8) {
    // A line break or other control character would end the record's line in the game file.
    for (const char c : utf8)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            throw ImportError::team(listName, ImportError::Kind::fieldControl, {field, utf8});
    const std::optional<std::string> sjis = sjis::fromUtf8(utf8);
    if (!sjis)
        throw ImportError::team(listName, ImportError::Kind::fieldNotShiftJis, {field, utf8});
    if (sjis->size() > TextField::kMaxBytes)
        throw ImportError::team(listName, ImportError::Kind::fieldTooLong, {field, utf8, std::to_string(TextField::kMaxBytes)});
    // The game file would not give it back.
    if (const std::string_view tag = gamefile::tagIn(*sjis); !tag.empty())
        throw ImportError::team(listName, ImportError::Kind::fieldHoldsTag, {field, utf8, std::string(tag)});
    return *sjis;
}

// The Shift-JIS texts a checked plan writes: a new team's name and the group.
struct PlanTexts {
    std::vector<std::string> names;   // empty for a mapped team
    std::vector<std::string> groups;  // empty when the list gives no group
};

PlanTexts checkedTexts(const Game& game, const MatchResults& results, const ImportPlan& plan) {
    const std::size_t n = results.teams.size();
    if (plan.targets.size() != n || plan.newNames.size() != n)
        throw std::invalid_argument("the import plan does not fit the results");
    PlanTexts texts;
    texts.names.resize(n);
    texts.groups.resize(n);
    std::map<int, std::size_t> byTarget;
    std::map<std::string, std::size_t> byNewName;
    for (std::size_t i = 0; i < n; ++i) {
        const std::string& listName = results.teams[i].name;
        const int target = plan.targets[i];
        if (target != ImportPlan::kAdd && (target < 0 || target >= game.teamCount()))
            throw std::invalid_argument("the import plan names a team the game does not have");
        if (!results.teams[i].group.empty())
            texts.groups[i] = fieldBytes(listName, "group", results.teams[i].group);
        if (target != ImportPlan::kAdd) {
            const auto [it, fresh] = byTarget.try_emplace(target, i);
            if (!fresh)
                throw ImportError::team(listName, ImportError::Kind::sameGameTeam,
                                        {sjis::toUtf8(game.teamAt(target).name.view()), results.teams[it->second].name});
            continue;
        }
        const std::string newName(text::trimSpaces(plan.newNames[i]));
        if (newName.empty()) throw ImportError::team(listName, ImportError::Kind::newTeamNoName);
        std::string bytes = fieldBytes(listName, "name", newName);
        if (game.findTeamByName(bytes) >= 0)
            throw ImportError::team(listName, ImportError::Kind::newNameInGame, {newName});
        const auto [it, fresh] = byNewName.try_emplace(bytes, i);
        if (!fresh)
            throw ImportError::team(listName, ImportError::Kind::newNameTwice, {newName, results.teams[it->second].name});
        texts.names[i] = std::move(bytes);
    }
    return texts;
}

// A fixture may write a later round's slots in a way no pattern knows
// ("Vainqueur A"): a name no team, national team or names-file line knows
// that only knockout matches not played yet name is one of those, not a team
// to add. Said as a problem, since a new club in its first match is alike.
void findSlots(MatchList& list, TeamMatcher& matcher) {
    struct Name {
        const std::string* spelling;  // the first
        bool onlyUnplayedKnockout;
    };
    std::vector<Name> names;  // in order of appearance
    std::map<std::string, std::size_t> byKey;
    for (const Match& m : list.matches)
        for (const std::string* team : {&m.team1, &m.team2}) {
            if (isPlaceholder(*team)) continue;
            const auto [it, fresh] = byKey.try_emplace(text::normalizeName(*team), names.size());
            if (fresh) names.push_back({team, true});
            names[it->second].onlyUnplayedKnockout &= m.knockout() && !m.played();
        }
    for (const auto& [key, index] : byKey) {
        const Name& name = names[index];
        if (name.onlyUnplayedKnockout && !matcher.knows(*name.spelling)) list.slotNames.insert(key);
    }
    for (const Name& name : names) {
        if (!list.slotNames.contains(text::normalizeName(*name.spelling))) continue;
        list.problems.push_back(ImportError::team(*name.spelling, ImportError::Kind::takenForSlot));
    }
}

void setResults(Team& team, const TeamResult& r, const std::string& group, std::string_view todayText) {
    setResultNumbers(team, r);
    if (!group.empty()) team.group = group;
    team.date = r.date.empty() ? todayText : std::string_view(r.date);
}

}  // namespace

ImportPlan defaultPlan(const MatchResults& results, TeamMatcher& matcher) {
    ImportPlan plan;
    for (const TeamResult& r : results.teams) {
        const TeamMatch m = matcher.match(r.name);
        plan.targets.push_back(m.team >= 0 ? m.team : ImportPlan::kAdd);
        plan.matchedBy.push_back(m.team >= 0 ? m.kind : MatchKind::none);
        plan.newNames.push_back(matcher.newTeamName(r.name));
    }
    return plan;
}

PreparedImport prepareImport(std::string_view bytes, TeamMatcher& matcher, ResultOptions options) {
    PreparedImport prepared;
    prepared.list = readMatchList(bytes);
    findSlots(prepared.list, matcher);
    prepared.results = computeResults(prepared.list, options);
    prepared.plan = defaultPlan(prepared.results, matcher);
    return prepared;
}

void setResultNumbers(Team& team, const TeamResult& result) {
    team.wins = result.wins;
    team.draws = result.draws;
    team.losses = result.losses;
    team.goalDiff = result.goalDiff;
    team.tournamentWins = result.tournamentWins;
    team.qualify = result.qualify;
    team.out = result.out;
}

void checkPlan(const Game& game, const MatchResults& results, const ImportPlan& plan) {
    checkedTexts(game, results, plan);
}

ImportSummary applyImport(Game& game, const MatchResults& results, const ImportPlan& plan, std::string_view todayText) {
    const PlanTexts texts = checkedTexts(game, results, plan);
    // Built aside and swapped in, so not even a failed allocation leaves the
    // game half changed.
    std::vector<Team> teams = game.teams();
    std::string date(todayText);
    ImportSummary summary;
    std::vector<bool> named(teams.size(), false);
    for (std::size_t i = 0; i < results.teams.size(); ++i) {
        const int target = plan.targets[i];
        if (target == ImportPlan::kAdd) continue;
        named[static_cast<std::size_t>(target)] = true;
        setResults(teams[static_cast<std::size_t>(target)], results.teams[i], texts.groups[i], todayText);
    }
    for (std::size_t i = 0; i < named.size(); ++i)
        if (!named[i]) summary.notInList.push_back(sjis::toUtf8(teams[i].name.view()));
    for (std::size_t i = 0; i < results.teams.size(); ++i) {
        if (plan.targets[i] != ImportPlan::kAdd) continue;
        Team team;
        team.name = texts.names[i];
        setResults(team, results.teams[i], texts.groups[i], todayText);
        teams.push_back(std::move(team));  // where addTeam puts it
        summary.added.push_back({results.teams[i].name, std::string(text::trimSpaces(plan.newNames[i]))});
    }
    game.teams().swap(teams);
    game.settings.date.swap(date);
    return summary;
}

}  // namespace scorvale::imports
