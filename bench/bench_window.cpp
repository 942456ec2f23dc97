// Times the main window with a large pool: the full update and each header
// click until the window is repainted, and the program's start-up until its
// window is first painted (a fresh process each time).
//   bench_window            all measurements
//   bench_window --child    internal: start like the program and report the first paint
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QProcess>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/bench_games.h"
#include "scoring/ordering.h"
#include "scoring/standings.h"
#include "ui/app_setup.h"
#include "ui/main_window.h"
#include "ui/qt_interaction.h"

using namespace scorvale;

namespace {

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            QMetaObject::invokeMethod(qApp, [] {
                std::puts("shown");
                std::fflush(stdout);
                QApplication::exit(0);
            }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool done_ = false;
};

int child(int argc, char** argv) {
    QApplication app(argc, argv);
    ui::setUpApplication(app);
    ui::QtInteraction interaction;
    ui::MainWindow window(interaction);
    interaction.setParentWidget(&window);
    FirstPaint probe;
    window.installEventFilter(&probe);
    window.show();
    return QApplication::exec();
}

struct Stats {
    double median, max;
};
Stats stats(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}
void row(const char* what, const Stats& s) { std::printf("| %-40s | %8.1f | %8.1f |\n", what, s.median, s.max); }

// Runs `command`, then paints the window as the event loop would.
template <typename F>
double timed(ui::MainWindow& w, F command) {
    QElapsedTimer t;
    t.start();
    command();
    w.repaint();
    QCoreApplication::processEvents();
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

class NoUser : public ui::Interaction {
public:
    bool runDialog(QDialog&) override { return false; }
    std::optional<QString> chooseOpenFile(const QString&) override { return std::nullopt; }
    std::optional<QString> chooseSaveFile(const QString&, const QString&, const QString&) override { return std::nullopt; }
    bool askYesNo(const QString&, const QString&) override { return true; }
    void tell(Icon, const QString&, const QString&) override {}
};

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0) return child(argc, argv);

    std::vector<double> startup;
    for (int i = 0; i < 15; ++i) {
        QElapsedTimer t;
        t.start();
        QProcess p;
        p.start(QString::fromLocal8Bit(argv[0]), {QStringLiteral("--child")});
        if (!p.waitForReadyRead(10000)) {
            std::fprintf(stderr, "the window never appeared\n");
            return 1;
        }
        startup.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        p.waitForFinished(10000);
    }

    QApplication app(argc, argv);
    ui::setUpApplication(app);
    NoUser user;
    ui::MainWindow w(user);
    w.controller().game() = bench::makePool(48, 100000, 10);
    w.show();
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < 500) QCoreApplication::processEvents();

    std::vector<double> full, teamClick, memberClick;
    for (int i = 0; i < 10; ++i) full.push_back(timed(w, [&] { w.controller().fullUpdate(); }));
    for (int round = 0; round < 2; ++round) {
        for (int c = 0; c < 14; ++c)
            teamClick.push_back(timed(w, [&] { emit w.teamList()->horizontalHeader()->sectionClicked(c); }));
        for (int c = 0; c < 5; ++c)
            memberClick.push_back(timed(w, [&] { emit w.memberList()->horizontalHeader()->sectionClicked(c); }));
    }
    std::vector<double> scoring, ordering, rebuild;
    for (int i = 0; i < 10; ++i) {
        scoring.push_back(timed(w, [&] { computeStandings(w.controller().game()); }));
        ordering.push_back(timed(w, [&] { sortTeams(w.controller().game(), 1); sortMembers(w.controller().game(), 1); }));
        rebuild.push_back(timed(w, [&] { w.controller().refreshView(); }));
    }
    // Save ends with the scoring and a rebuild before its file dialog.
    std::vector<double> save;
    for (int i = 0; i < 10; ++i) save.push_back(timed(w, [&] { w.controller().save(); }));

    std::printf("platform %s, 48 teams, 100000 members, 10 votes each\n\n",
                QGuiApplication::platformName().toLocal8Bit().constData());
    std::printf("| %-40s | %8s | %8s |\n", "measurement (ms)", "median", "max");
    std::printf("|%s|%s|%s|\n", std::string(42, '-').c_str(), std::string(10, '-').c_str(), std::string(10, '-').c_str());
    row("start-up to first painted window", stats(startup));
    row("fullUpdate + repaint", stats(full));
    row("team header click + repaint (14 cols)", stats(teamClick));
    row("member header click + repaint (5 cols)", stats(memberClick));
    row("  of which computeStandings", stats(scoring));
    row("  of which sortTeams + sortMembers by rank", stats(ordering));
    row("  of which refreshView + repaint", stats(rebuild));
    row("Save up to its file dialog + repaint", stats(save));
    return 0;
}
