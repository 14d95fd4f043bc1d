#pragma once

// What the window benchmarks measure besides wall time: the process's CPU time, and how often
// and how regularly the event loop turned while the work ran (a 5 ms timer marks its turns).

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <ctime>

namespace kombitron::bench {

inline double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

class LoopWatch {
public:
    LoopWatch()
    {
        ticker_.setInterval(5);
        QObject::connect(&ticker_, &QTimer::timeout, [this] {
            const qint64 now = clock_.elapsed();
            longestGap_ = std::max(longestGap_, now - last_);
            last_ = now;
            ++turns_;
        });
    }
    void start()
    {
        clock_.start();
        last_ = 0;
        ticker_.start();
    }
    void stop() { ticker_.stop(); }

    // The longest gap between two turns, the turns per iteration and the CPU time per iteration
    // since `cpu0`, as counters of `st`.
    void report(benchmark::State& st, double cpu0) const
    {
        const auto iterations = static_cast<double>(st.iterations());
        st.counters["longest_ui_gap_ms"] = static_cast<double>(longestGap_);
        st.counters["ui_turns"] = benchmark::Counter(static_cast<double>(turns_) / iterations);
        st.counters["process_cpu_ms"] = benchmark::Counter((cpuSeconds() - cpu0) * 1000.0 / iterations);
    }

private:
    QTimer ticker_;
    QElapsedTimer clock_;
    qint64 last_ = 0, longestGap_ = 0, turns_ = 0;
};

} // namespace kombitron::bench
