#pragma once

#include <functional>

#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "model/game.h"
#include "scoring/standings.h"
#include "ui/main_window.h"

namespace scorvale::testing {

// A small pool whose orders differ on every column.
inline void fillPool(Game& game) {
    game.clearTeams();
    game.clearMembers();
    struct Row { const char* name; const char* group; int w, l, d, gd, tw, q, out; const char* date; };
    const Row rows[] = {
        {"Brazil", "C", 3, 0, 0, 8, 1, 1, 0, "02/06/30"},
        {"Japan", "H", 2, 0, 1, 3, 0, 1, 0, "02/06/18"},
        {"France", "A", 0, 2, 1, -3, 0, 0, 1, "02/06/11"},
        {"Senegal", "A", 1, 1, 2, 0, 0, 1, 1, "02/06/22"},
        {"Korea", "D", 2, 1, 0, 1, 0, 1, 0, "02/06/25"},
    };
    for (const Row& r : rows) {
        Team t;
        t.name = r.name;
        t.group = r.group;
        t.wins = r.w;
        t.losses = r.l;
        t.draws = r.d;
        t.goalDiff = r.gd;
        t.tournamentWins = r.tw;
        t.qualify = r.q;
        t.out = r.out;
        t.date = r.date;
        game.addTeam(t);
    }
    const char* votes[][3] = {{"Japan", "Brazil", "Korea"}, {"France", "Senegal", "Japan"}, {"Korea", "Brazil", nullptr}};
    const char* names[] = {"taro", "hanako", "jiro"};
    const char* dates[] = {"02/05/01", "02/05/03", "02/05/02"};
    for (int i = 0; i < 3; ++i) {
        Member m;
        m.name = names[i];
        m.date = dates[i];
        for (const char* v : votes[i])
            if (v) m.addVote(v);
        game.addMember(m);
    }
    Member silent;
    silent.name = "novote";
    game.addMember(silent);
    computeStandings(game);
}

inline std::vector<std::string> teamNames(const Game& game) {
    std::vector<std::string> names;
    for (const Team& t : game.teams()) names.push_back(t.name.str());
    return names;
}
inline std::vector<std::string> memberNames(const Game& game) {
    std::vector<std::string> names;
    for (const Member& m : game.members()) names.push_back(m.name.str());
    return names;
}

// A dialog answer: puts `text` into the dialog's field `name`, then OK.
inline std::function<bool(QDialog&)> typeInto(const char* name, const QString& text) {
    return [name, text](QDialog& d) {
        auto* edit = d.findChild<QLineEdit*>(QString::fromLatin1(name));
        if (edit == nullptr) return false;
        edit->setText(text);
        return true;
    };
}

using Cmd = ui::MainWindow::Command;
using lists::MemberColumn;
using lists::TeamColumn;

inline QString cell(QTableView* view, int row, int column) {
    return view->model()->index(row, column).data().toString();
}
inline QString cell(QTableView* view, int row, TeamColumn column) { return cell(view, row, lists::columnIndex(column)); }
inline QString cell(QTableView* view, int row, MemberColumn column) {
    return cell(view, row, lists::columnIndex(column));
}

}  // namespace scorvale::testing
