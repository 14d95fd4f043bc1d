#include "ui/statistics_chart.h"

#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QCursor>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QToolTip>

#include <algorithm>
#include <cmath>

#include "core/format.h"
#include "history/statistics.h"
#include "ui/widgets/mark_cell.h"

namespace kombitron::ui {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }
QString count(int64_t v) { return qs(formatCount(v)); }

const char* const kArrow = "--->";

// Titles of the horizontal and vertical axes of each statistic, in the words of its table.
struct AxisTitles {
    const char* x;
    const char* y;
};
constexpr AxisTitles kAxisTitles[kStatisticCount] = {
    {"Número", "Apariciones"},          {"Bajos / Altos", "Apariciones"},
    {"Decena", "Apariciones"},          {"Distancia", "Veces"},
    {"Pares / Impares", "Apariciones"}, {"Seguidos", "Apariciones"},
    {"Sumas", "Apariciones"},           {"Terminados en", "Apariciones"},
    {"Exteriores / Interiores", "Apariciones"}, {"Superiores / Inferiores", "Apariciones"}};

// Tables whose rows pair two counts ("6    0": six low, no high) read better as "6 / 0".
bool pairedLabels(int statistic) { return statistic == 1 || statistic == 4 || statistic == 8 || statistic == 9; }

QString drawsText(int64_t draws) { return count(draws) + (draws == 1 ? QStringLiteral(" sorteo") : QStringLiteral(" sorteos")); }

// A step of 1, 2 or 5 times a power of ten that cuts 0..maxValue into about five parts.
int64_t tickStep(int64_t maxValue)
{
    if (maxValue <= 5) return 1;
    const double raw = static_cast<double>(maxValue) / 5.0;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double normal = raw / magnitude;
    const double factor = normal <= 1 ? 1 : normal <= 2 ? 2 : normal <= 5 ? 5 : 10;
    return std::max<int64_t>(1, static_cast<int64_t>(factor * magnitude));
}

// The value axis labelled in the program's number format (thousands grouped as the player reads them).
QCategoryAxis* countAxis(int64_t maxValue, const QString& title)
{
    auto* axis = new QCategoryAxis;
    const int64_t step = tickStep(maxValue);
    const int64_t top = step * std::max<int64_t>(1, (maxValue + maxValue / 20 + step) / step);
    axis->setRange(0, static_cast<double>(top));
    axis->setStartValue(0);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (int64_t v = 0; v <= top; v += step) axis->append(count(v), static_cast<double>(v));
    axis->setTitleText(title);
    axis->setGridLineColor(QColor(0xdd, 0xe1, 0xe8));
    return axis;
}

} // namespace

std::vector<ChartBar> statisticBars(int statistic, const std::vector<std::string>& lines)
{
    if (statistic < 0 || statistic >= kStatisticCount) statistic = 0;
    std::vector<ChartBar> bars;
    if (statistic == 0) {
        bars.resize(49);
        for (int n = 1; n <= 49; ++n) bars[n - 1].label = qs(formatTwoDigits(n));
    }
    for (const std::string& line : lines) {
        const size_t arrow = line.find(kArrow);
        if (arrow == std::string::npos) continue;
        const QString label = qs(line.substr(0, arrow)).simplified();
        const int64_t value = qs(line.substr(arrow + 4)).trimmed().toLongLong();
        if (statistic == 0) {
            const int n = label.toInt();
            if (n >= 1 && n <= 49) bars[n - 1].value = value;
            continue;
        }
        ChartBar bar;
        bar.label = pairedLabels(statistic) ? label.split(QLatin1Char(' ')).join(QStringLiteral(" / ")) : label;
        bar.value = value;
        bars.push_back(bar);
    }
    return bars;
}

StatisticsChart::StatisticsChart(const QString& objectName, QWidget* parent) : QChartView(parent)
{
    setObjectName(objectName);
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(360, 260);
    setStyleSheet(QStringLiteral("QGraphicsView { border: 1px solid #c4c9d1; background: white; }"));
    clear();
}

void StatisticsChart::clear(const QString& placeholder)
{
    bars_.clear();
    xAxis_ = nullptr;
    expected_ = -1;
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->hide();
    chart->setTitle(placeholder.isEmpty() ? QStringLiteral("Elija una estadística para ver su gráfico") : placeholder);
    chart->setTitleBrush(QColor(0x6b, 0x73, 0x80));
    QChart* old = this->chart();
    setChart(chart);
    delete old;
}

void StatisticsChart::showStatistic(int statistic, const std::vector<std::string>& lines, int64_t matchingDraws)
{
    if (statistic < 0 || statistic >= kStatisticCount) statistic = 0;
    if (lines.empty()) {
        clear(QStringLiteral("Ningún dato coincide con la consulta realizada"));
        return;
    }
    bars_ = statisticBars(statistic, lines);
    const AxisTitles& titles = kAxisTitles[statistic];
    const QString x = QString::fromUtf8(titles.x);
    const QString unit = QString::fromUtf8(titles.y).toLower();
    expected_ = -1;
    if (statistic == 0) {
        expected_ = static_cast<double>(matchingDraws) * 6.0 / 49.0;
        for (ChartBar& bar : bars_) {
            bar.highlighted = static_cast<double>(bar.value) > expected_;
            bar.tooltip = QStringLiteral("Número %1: %2 %3\nEsperado: %4")
                              .arg(bar.label, count(bar.value), unit, qs(formatDecimal(roundHalfEven(expected_, 2), 2)));
        }
    } else {
        for (ChartBar& bar : bars_) bar.tooltip = QStringLiteral("%1 %2: %3 %4").arg(x, bar.label, count(bar.value), unit);
    }
    build(QStringLiteral("%1 (%2)").arg(QString::fromUtf8(statisticLabel(statistic)), drawsText(matchingDraws)), x,
          QString::fromUtf8(titles.y), statistic == 0 ? QStringLiteral("Por encima de lo esperado") : QString());
}

void StatisticsChart::showSkips(const SkipsTable& skips)
{
    if (skips.matchingDraws < 1) {
        clear(QStringLiteral("Ningún dato coincide con la consulta realizada"));
        return;
    }
    bars_.assign(49, ChartBar{});
    expected_ = -1;
    for (int n = 1; n <= 49; ++n) {
        const NumberSkip& s = skips.numbers[n];
        ChartBar& bar = bars_[n - 1];
        bar.label = qs(formatTwoDigits(n));
        bar.value = s.current;
        bar.highlighted = s.current > 0 && s.current == s.longest;
        bar.tooltip = QStringLiteral("Número %1\nRetraso actual: %2\nRetraso más largo: %3\nApariciones: %4")
                          .arg(bar.label, drawsText(s.current), drawsText(s.longest), count(s.appearances));
    }
    build(QStringLiteral("Retrasos (%1)").arg(drawsText(skips.matchingDraws)), QStringLiteral("Número"),
          QStringLiteral("Sorteos sin salir"), QStringLiteral("En su retraso más largo"));
}

void StatisticsChart::build(const QString& title, const QString& xTitle, const QString& yTitle, const QString& highlightName)
{
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setTitle(title);
    QFont titleFont = chart->titleFont();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.15);
    chart->setTitleFont(titleFont);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setBackgroundRoundness(0);

    // Bars that stand out go into a second set of the stack, so the legend explains their colour.
    auto* normal = new QBarSet(yTitle);
    normal->setColor(QColor(QLatin1String(colors::kAccent)));
    normal->setBorderColor(QColor(QLatin1String(colors::kAccent)));
    QBarSet* marked = nullptr;
    if (!highlightName.isEmpty()) {
        marked = new QBarSet(highlightName);
        marked->setColor(QColor(QLatin1String(colors::kMarkRed)));
        marked->setBorderColor(QColor(QLatin1String(colors::kMarkRed)));
    }
    QStringList labels;
    int64_t top = 0;
    for (const ChartBar& bar : bars_) {
        labels << bar.label;
        const bool out = marked && bar.highlighted;
        normal->append(out ? 0.0 : static_cast<double>(bar.value));
        if (marked) marked->append(out ? static_cast<double>(bar.value) : 0.0);
        top = std::max(top, bar.value);
    }
    auto* series = new QStackedBarSeries;
    series->setBarWidth(0.75);
    series->append(normal);
    if (marked) series->append(marked);
    chart->addSeries(series);

    // Bars sit at 0..n-1; the axis labels as many of them as fit (see relabel()).
    auto* xAxis = new QCategoryAxis;
    const double right = static_cast<double>(bars_.size()) - 0.5;
    xAxis->setRange(-0.5, right);
    xAxis->setStartValue(-0.5);
    xAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    xAxis->setTitleText(xTitle);
    xAxis->setGridLineVisible(false);
    if (bars_.size() > 20) {
        QFont small = xAxis->labelsFont();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        xAxis->setLabelsFont(small);
    }
    chart->addAxis(xAxis, Qt::AlignBottom);
    series->attachAxis(xAxis);

    if (expected_ >= 0) top = std::max(top, static_cast<int64_t>(std::ceil(expected_)));
    QCategoryAxis* yAxis = countAxis(top, yTitle);
    chart->addAxis(yAxis, Qt::AlignLeft);
    series->attachAxis(yAxis);

    if (expected_ >= 0) {
        auto* line = new QLineSeries;
        line->setName(QStringLiteral("Valor esperado: %1").arg(qs(formatDecimal(roundHalfEven(expected_, 2), 2))));
        line->append(-0.5, expected_);
        line->append(right, expected_);
        QPen pen(QColor(0xe0, 0x8a, 0x00));
        pen.setWidthF(2.0);
        pen.setStyle(Qt::DashLine);
        line->setPen(pen);
        chart->addSeries(line);
        line->attachAxis(xAxis);
        line->attachAxis(yAxis);
    }

    const bool legend = marked != nullptr || expected_ >= 0;
    chart->legend()->setVisible(legend);
    chart->legend()->setAlignment(Qt::AlignBottom);

    connect(normal, &QBarSet::hovered, this, &StatisticsChart::showTip);
    if (marked) connect(marked, &QBarSet::hovered, this, &StatisticsChart::showTip);

    QChart* old = this->chart();
    setChart(chart);
    delete old;
    xAxis_ = xAxis;
    relabel();
}

void StatisticsChart::relabel()
{
    if (!xAxis_ || bars_.empty()) return;
    // Labels narrower than their room are cut short by the chart, so with many bars only every
    // k-th one is labelled (the tooltips name every bar). The room is taken from the view's width
    // less the value axis and the margins, which is what the plot gets.
    const QFontMetrics metrics(xAxis_->labelsFont());
    int widest = 0;
    for (const ChartBar& bar : bars_) widest = std::max(widest, metrics.horizontalAdvance(bar.label));
    const double room = std::max(100, width() - 110) / static_cast<double>(bars_.size());
    int stride = std::max(1, static_cast<int>(std::ceil((widest + 10) / room)));
    if (stride > 2) stride = stride <= 5 ? 5 : 10;
    for (const QString& label : xAxis_->categoriesLabels()) xAxis_->remove(label);
    for (size_t i = 0; i < bars_.size(); ++i)
        // Every other bar from the first, or the first and every fifth or tenth (05, 10, 15...).
        if (stride == 1 || (stride == 2 && i % 2 == 0) || (stride > 2 && (i == 0 || (i + 1) % static_cast<size_t>(stride) == 0)))
            xAxis_->append(bars_[i].label, static_cast<double>(i));
}

void StatisticsChart::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    relabel();
}

void StatisticsChart::showTip(bool entered, int index)
{
    if (!entered || index < 0 || index >= static_cast<int>(bars_.size())) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(QCursor::pos(), bars_[static_cast<size_t>(index)].tooltip, this);
}

} // namespace kombitron::ui
