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
#include <functional>
#include <sys/resource.h>
#include <time.h>
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
void row(const char* what, const std::vector<double>& wall, const std::vector<double>& cpu) {
    const Stats w = stats(wall), c = stats(cpu);
    std::printf("| %-42s | %8.1f | %8.1f | %8.1f | %8.1f |\n", what, w.median, w.max, c.median, c.max);
}

// Runs `command`, then paints the window as the event loop would.
double threadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}
double childrenCpuMs() {
    rusage r{};
    getrusage(RUSAGE_CHILDREN, &r);
    auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; };
    return ms(r.ru_utime) + ms(r.ru_stime);
}

// CPU time of this thread next to the wall time: the machine is shared, so
// the wall time depends on what else runs.
std::vector<double> cpuTimes;

// Runs `command`, then paints the window as the event loop would.
template <typename F>
double timed(ui::MainWindow& w, F command) {
    QElapsedTimer t;
    const double cpu0 = threadCpuMs();
    t.start();
    command();
    w.repaint();
    QCoreApplication::processEvents();
    cpuTimes.push_back(threadCpuMs() - cpu0);
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}


class NoUser : public ui::Interaction {
public:
    bool runDialog(QDialog&) override { return false; }
    std::optional<QString> chooseOpenFile(const QString&, const QString&) override { return std::nullopt; }
    std::optional<QString> chooseSaveFile(const QString&, const QString&, const QString&) override { return std::nullopt; }
    bool askYesNo(const QString&, const QString&) override { return true; }
    Answer askYesNoCancel(const QString&, const QString&) override { return Answer::No; }
    void tell(Icon, const QString&, const QString&) override {}
};

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0) return child(argc, argv);

    std::vector<double> startup, startupCpu;
    for (int i = 0; i < 15; ++i) {
        QElapsedTimer t;
        const double cpu0 = childrenCpuMs();
        t.start();
        QProcess p;
        p.start(QString::fromLocal8Bit(argv[0]), {QStringLiteral("--child")});
        if (!p.waitForReadyRead(10000)) {
            std::fprintf(stderr, "the window never appeared\n");
            return 1;
        }
        startup.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        p.waitForFinished(10000);
        startupCpu.push_back(childrenCpuMs() - cpu0);
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

    struct Case {
        const char* name;
        std::function<void(int)> run;
        int repeats;
    };
    Game& game = w.controller().game();
    const std::vector<Case> cases = {
        {"fullUpdate + repaint", [&](int) { w.controller().fullUpdate(); }, 10},
        {"  of which computeStandings", [&](int) { computeStandings(game); }, 10},
        {"  of which sortTeams + sortMembers by rank", [&](int) { sortTeams(game, TeamSortKey::rank); sortMembers(game, MemberSortKey::rank); }, 10},
        {"  of which refreshView + repaint", [&](int) { w.controller().refreshView(); }, 10},
        {"team header click + repaint (14 columns)",
         [&](int i) { emit w.teamList()->horizontalHeader()->sectionClicked(i % 14); }, 28},
        {"member header click + repaint (5 columns)",
         [&](int i) { emit w.memberList()->horizontalHeader()->sectionClicked(i % 5); }, 10},
        {"  column 0, by name", [&](int) { emit w.memberList()->horizontalHeader()->sectionClicked(0); }, 5},
        {"  column 1, by rank", [&](int) { emit w.memberList()->horizontalHeader()->sectionClicked(1); }, 5},
        {"  column 2, by score", [&](int) { emit w.memberList()->horizontalHeader()->sectionClicked(2); }, 5},
        {"  column 3, by first vote", [&](int) { emit w.memberList()->horizontalHeader()->sectionClicked(3); }, 5},
        {"  column 4, by date", [&](int) { emit w.memberList()->horizontalHeader()->sectionClicked(4); }, 5},
        // Save scores and rebuilds before its file dialog (answered Cancel here).
        {"Save up to its file dialog + repaint", [&](int) { w.controller().save(); }, 10},
    };

    std::printf("platform %s, 48 teams, 100000 members, 10 votes each\n\n",
                QGuiApplication::platformName().toLocal8Bit().constData());
    std::printf("| %-42s | %8s | %8s | %8s | %8s |\n", "ms", "wall med", "wall max", "cpu med", "cpu max");
    std::printf("|--------------------------------------------|----------|----------|----------|----------|\n");
    row("start-up to first painted window (process)", startup, startupCpu);
    for (const Case& c : cases) {
        std::vector<double> wall;
        const std::size_t mark = cpuTimes.size();
        for (int i = 0; i < c.repeats; ++i) wall.push_back(timed(w, [&] { c.run(i); }));
        row(c.name, wall, std::vector<double>(cpuTimes.begin() + static_cast<long>(mark), cpuTimes.end()));
    }
    return 0;
}
