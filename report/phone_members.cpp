#include <array>

#include "report/html_text.h"
#include "report/page_parts.h"
#include "model/wrap_int.h"
#include "report/phone_parts.h"

namespace scorvale::phone {

namespace {

std::string_view movementClass(Movement::Kind kind) {
    switch (kind) {
        case Movement::Kind::up: return "up";
        case Movement::Kind::down: return "dn";
        case Movement::Kind::same: return "eq";
        case Movement::Kind::newcomer: return "nw";
        case Movement::Kind::none: break;
    }
    return "";
}

void appendMovement(std::string& out, const Movement& move) {
    out += "<span class=\"mv ";
    out += movementClass(move.kind);
    out += "\">";
    switch (move.kind) {
        case Movement::Kind::up: out += "▲"; appendNumber(out, move.places); break;
        case Movement::Kind::down: out += "▼"; appendNumber(out, move.places); break;
        case Movement::Kind::same: out += "ー"; break;
        case Movement::Kind::newcomer: out += "新"; break;
        case Movement::Kind::none: break;
    }
    out += "</span>";
}

void appendRank(std::string& out, const Game& game, std::int32_t rank) {
    if (game.settings.over != 0 && rank == 1) {
        out += "優勝";
        return;
    }
    appendNumber(out, rank);
    out += "位";
}

// A vote's weight as the member information dialog shows it: the vote
// points raised as the dividends raise them.
std::string weightText(const Game& game, int position) {
    std::string text;
    appendNumber(text, wrapPower(votePoints(game.settings, position), rateExponent(game.settings.rate)));
    return text;
}

class MemberWriter {
public:
    explicit MemberWriter(const PageContext& page) : page_(page), game_(page.game) {
        for (int p = 0; p < Member::kMaxVotes; ++p) weights_[static_cast<std::size_t>(p)] = weightText(game_, p);
        if (!page.story.members.empty()) leaderScore_ = game_.memberAt(page.story.members.front()).score;
    }

    void write(std::string& out, int place, int index) {
        const Member& m = game_.memberAt(index);
        const std::size_t i = static_cast<std::size_t>(index);
        names_.clear();
        for (const std::string_view vote : m.votes()) names_.push_back(page_.teamByName.find(vote));

        out += "<li id=\"m";
        appendNumber(out, place);
        out += "\" class=\"m\" tabindex=\"-1\"><div class=\"h\"><span class=\"rk\">";
        appendRank(out, game_, m.rank);
        out += "</span>";
        if (page_.story.baseline >= 0) appendMovement(out, page_.story.movement[i]);
        out += "<span class=\"nm\">";
        html::appendText(out, m.name.view());
        out += "</span><span class=\"sc\">";
        appendNumber(out, m.score);
        out += "点</span><span class=\"gp\">";
        const std::int64_t gap = static_cast<std::int64_t>(leaderScore_) - m.score;
        if (m.rank == 1) {
            out += "トップ";
        } else {
            out += "トップまで ";
            appendNumber(out, gap);
            out += "点";
        }
        out += "</span></div>\n";
        writePicks(out, m);
        writeDetail(out, m, i);
        out += "</li>\n";
    }

private:
    void appendVoteName(std::string& out, const Member& m, int p) const {
        const int t = names_[static_cast<std::size_t>(p)];
        if (t >= 0) out += page_.teamNames[static_cast<std::size_t>(t)];
        else html::appendText(out, m.vote(p));
    }

    void writePicks(std::string& out, const Member& m) const {
        if (m.voteCount() == 0) return;
        out += "<ol class=\"p\">";
        for (int p = 0; p < m.voteCount(); ++p) {
            const int t = names_[static_cast<std::size_t>(p)];
            const PickState state = pickState(game_, t);
            const bool counted = p < game_.settings.maxBet;
            out += "<li";
            const char* cls = state == PickState::out ? "x" : state == PickState::top ? "w"
                            : state == PickState::missing ? "q" : nullptr;
            if (cls != nullptr || !counted) {
                out += " class=\"";
                if (cls != nullptr) out += cls;
                if (!counted) out += cls != nullptr ? " nc" : "nc";
                out += '"';
            }
            out += '>';
            if (state == PickState::top) out += "★";
            if (state == PickState::out) out += "<s>";
            appendVoteName(out, m, p);
            if (state == PickState::out) out += "</s>";
            if (state == PickState::missing) {
                out += "<i>?</i>";
            } else if (counted) {
                out += "<i>";
                out += weights_[static_cast<std::size_t>(p)];
                out += "</i>";
            }
            out += "</li>";
        }
        out += "</ol>\n";
    }

    // The picks with their weights and scores, as the member information
    // dialog lists them, and the member's ranks over the recorded days.
    void writeDetail(std::string& out, const Member& m, std::size_t i) const {
        out += "<details><summary>内訳</summary>";
        if (!m.symbol.empty()) {
            out += "<img src=\"";
            out += html::imageUrl(m.symbol.view());
            out += "\" alt=\"\" loading=\"lazy\">";
        }
        out += "<div class=\"box dt\"><table><tr><th>チーム</th><th>配点</th><th>得点</th></tr>\n";
        std::int32_t total = 0;
        for (int p = 0; p < m.voteCount(); ++p) {
            const int t = names_[static_cast<std::size_t>(p)];
            out += "<tr><td>";
            appendVoteName(out, m, p);
            out += "</td><td>";
            if (t < 0) {
                out += "?</td><td>";
            } else if (p < game_.settings.maxBet) {
                const std::int32_t value = game_.voteValue(game_.teamAt(t), p);
                total = wrapAdd(total, value);
                out += weights_[static_cast<std::size_t>(p)];
                out += "pt</td><td>";
                appendNumber(out, value);
            } else {
                out += "</td><td>";
            }
            out += "</td></tr>\n";
        }
        out += "<tr><td>合計</td><td></td><td>";
        appendNumber(out, total);
        out += "</td></tr></table></div>";

        const PoolStory& story = page_.story;
        if (story.pointDates.size() >= 2) {
            out += "<p class=\"tr\">順位の推移：";
            for (std::size_t d = static_cast<std::size_t>(story.firstPoint[i]); d < story.ranks.size(); ++d) {
                if (d > static_cast<std::size_t>(story.firstPoint[i])) out += "→";
                appendNumber(out, story.ranks[d][i]);
            }
            out += "</p>";
        }
        out += "</details>\n";
    }

    const PageContext& page_;
    const Game& game_;
    std::array<std::string, Member::kMaxVotes> weights_;
    std::int32_t leaderScore_ = 0;
    std::vector<int> names_;  // team index of each vote of the member being written
};

}  // namespace

void appendStandings(std::string& out, const PageContext& page) {
    const PoolStory& story = page.story;
    appendHeading(out, page, "standings", "参加者順位");
    out += "<p class=\"note\">";
    if (story.baseline >= 0) {
        const std::string& date = story.pointDates[static_cast<std::size_t>(story.baseline)];
        const std::string day = html::text(shortDate(date));
        out += "▲▼は ";
        out += day;
        out += " の順位からの変動、新は ";
        out += day;
        out += " より後に加わった（予想を変えた）人です。";
    } else {
        out += "順位の変動は、結果が記録された前の日ができると表示されます。";
    }
    out += "予想の★は首位のチーム、取り消し線は敗退したチーム、数字は配点です。</p>\n<ol class=\"ms\">\n";
    MemberWriter writer(page);
    const int shown = reportRowLimit(page.settings.memberRange, static_cast<int>(story.members.size()));
    for (int place = 0; place < shown; ++place)
        writer.write(out, place + 1, story.members[static_cast<std::size_t>(place)]);
    out += "</ol>\n";
}

}  // namespace scorvale::phone
