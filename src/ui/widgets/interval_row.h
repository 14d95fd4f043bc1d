#pragma once

// One "minimum - maximum" row of numeric fields (sums, distances, valuations...): an optional
// caption, the minimum field, a separator and the maximum field. The fields are NumericLineEdits
// (digits only, Backspace and Escape pass) with the given names and maximum length; edited()
// fires for every key typed in either (filter windows activate on it).
//
//   auto* row = new IntervalRow("txtMinimo_0", "txtMaximo_0", 3, this, "Intervalo 1 :");
//   row->setValues(21, 150);                // shown as text; blank() tells an empty field apart
//   int lo = row->minimum(), hi = row->maximum();   // blank reads as 0

#include <QWidget>

class QLabel;

namespace kombitron::ui {

class NumericLineEdit;

class IntervalRow : public QWidget {
    Q_OBJECT
public:
    IntervalRow(const QString& minName, const QString& maxName, int maxLength, QWidget* parent = nullptr,
                const QString& caption = QString(), const QString& separator = QStringLiteral("-"));

    void setValues(long long minimum, long long maximum);
    long long minimum() const;
    long long maximum() const;

    NumericLineEdit* minField() const { return min_; }
    NumericLineEdit* maxField() const { return max_; }
    QLabel* captionLabel() const { return caption_; }

signals:
    void edited();

private:
    QLabel* caption_ = nullptr;
    NumericLineEdit* min_;
    NumericLineEdit* max_;
};

} // namespace kombitron::ui
