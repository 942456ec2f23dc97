#pragma once

// Timing for the window benches: a step run a few times, each until Qt has
// handled what it posted (the repaint), and the median time.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <functional>
#include <vector>

namespace scorvale::bench {

inline double medianMs(const std::function<void()>& step, int runs = 9) {
    std::vector<double> times;
    for (int k = 0; k < runs; ++k) {
        QElapsedTimer timer;
        timer.start();
        step();
        QApplication::processEvents();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace scorvale::bench
