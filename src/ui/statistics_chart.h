#pragma once

// The pictures of the statistics window: a bar chart of the last query's table, or of the skips
// of every number. The chart only shows what the core computed: the bars of a statistic come
// from the lines of its table ("label ---> count"), the skips from computeSkips.
//
//   chart->showStatistic(0, result.lines, result.matchingDraws);   // 49 bars and the expected line
//   chart->showSkips(computeSkips(...));
//   chart->clear();                                                  // nothing queried yet

#include <QChartView>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

#include "history/skips.h"

class QCategoryAxis;

namespace kombitron::ui {

// One bar: the label under it, its value, the text shown when pointing at it, and whether it
// stands out (a number drawn more often than expected, a skip at its longest).
struct ChartBar {
    QString label;
    int64_t value = 0;
    QString tooltip;
    bool highlighted = false;
};

// The bars of statistic `statistic` from its table lines: one per line, labelled with the line's
// own text before the arrow; for "Números" one per number 1..49, 0 for those the table leaves out.
std::vector<ChartBar> statisticBars(int statistic, const std::vector<std::string>& lines);

class StatisticsChart : public QChartView {
    Q_OBJECT
public:
    StatisticsChart(const QString& objectName, QWidget* parent = nullptr);

    // The chart of a statistic's table over `matchingDraws` draws; "Números" also draws the
    // expected number of appearances (matchingDraws × 6 / 49) and marks the numbers above it.
    // An empty table shows the placeholder.
    void showStatistic(int statistic, const std::vector<std::string>& lines, int64_t matchingDraws);
    // The current skip of every number as bars; the tooltip gives the current and longest one.
    void showSkips(const SkipsTable& skips);
    // No data: the placeholder text and no bars.
    void clear(const QString& placeholder = {});

    bool hasData() const { return !bars_.empty(); }
    const std::vector<ChartBar>& bars() const { return bars_; }
    // The expected value line of "Números"; negative when the chart has none.
    double expectedValue() const { return expected_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void relabel();
    void build(const QString& title, const QString& xTitle, const QString& yTitle, const QString& barsName);
    void showTip(bool entered, int index);

    std::vector<ChartBar> bars_;
    double expected_ = -1;
    QCategoryAxis* xAxis_ = nullptr; // of the chart on view; owned by it
};

} // namespace kombitron::ui
