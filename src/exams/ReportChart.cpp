#include "exams/ReportChart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QScatterSeries>
#include <QStackedLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {
// Percentages: the scale goes to 100 unless a value is above it.
double scaleTop(const QList<ChartRow> &rows) {
    double top = 100;
    for (const ChartRow &row : rows)
        top = std::max(top, row.value);
    return std::ceil(top / 20) * 20;
}

void addSeries(QChart *chart, QAbstractSeries *series, QAbstractAxis *x, QAbstractAxis *y) {
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}
} // namespace

ReportChart::ReportChart(QWidget *parent)
    : QWidget(parent), m_stack(new QStackedLayout(this)), m_view(new QChartView), m_3d(new Chart3D) {
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setFrameShape(QFrame::NoFrame);
    // The chart's numbers and row labels read left to right whatever the window's direction.
    m_view->setLayoutDirection(Qt::LeftToRight);
    m_stack->addWidget(m_view);
    m_stack->addWidget(m_3d);
    rebuild();
}

void ReportChart::SetChartType(Kind kind) {
    m_kind = kind;
    rebuild();
}

void ReportChart::SetRows(const QList<ChartRow> &rows) {
    m_rows = rows;
    rebuild();
}

QImage ReportChart::Picture() { return grab().toImage(); }

void ReportChart::rebuild() {
    if (m_kind == Bar3d || m_kind == Line3d) {
        m_3d->SetStyle(m_kind == Bar3d ? Chart3D::Bars : Chart3D::Ribbon);
        m_3d->SetMaximum(scaleTop(m_rows));
        m_3d->SetRows(m_rows);
        m_stack->setCurrentWidget(m_3d);
        return;
    }
    QChart *old = m_view->chart();
    m_view->setChart(makeChart());
    delete old; // the view gives the old chart back to its caller
    m_stack->setCurrentWidget(m_view);
}

QChart *ReportChart::makeChart() const {
    auto *chart = new QChart;
    chart->setBackgroundRoundness(0);
    chart->layout()->setContentsMargins(0, 0, 0, 0); // white to the edges, as the 3D kinds
    chart->setMargins(QMargins(12, 24, 24, 8));
    chart->legend()->hide();

    if (m_kind == Pie2d) {
        auto *pie = new QPieSeries;
        for (const ChartRow &row : m_rows) {
            QPieSlice *slice = pie->append(row.label + QStringLiteral("  ") + PercentText(row.value), row.value);
            slice->setLabelVisible(row.value > 0);
        }
        pie->setPieSize(0.6);
        chart->addSeries(pie);
        chart->legend()->setAlignment(Qt::AlignBottom);
        chart->legend()->show();
        return chart;
    }

    QStringList labels;
    for (const ChartRow &row : m_rows)
        labels.append(row.label);
    auto *xAxis = new QBarCategoryAxis;
    xAxis->append(labels);
    auto *yAxis = new QValueAxis;
    yAxis->setRange(0, scaleTop(m_rows));
    yAxis->setTickCount(6);
    yAxis->setLabelFormat(QStringLiteral("%d%%"));
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);

    if (m_kind == Line2d) {
        auto *line = new QLineSeries;
        for (qsizetype i = 0; i < m_rows.size(); ++i)
            line->append(double(i), m_rows[i].value);
        addSeries(chart, line, xAxis, yAxis);
        line->setPen(QPen(line->color(), 3));
        line->setPointsVisible(true);
        // One unmarked point per value carries its label, written as the other kinds write it.
        for (qsizetype i = 0; i < m_rows.size(); ++i) {
            auto *mark = new QScatterSeries;
            mark->append(double(i), m_rows[i].value);
            addSeries(chart, mark, xAxis, yAxis);
            mark->setColor(Qt::transparent);
            mark->setBorderColor(Qt::transparent);
            mark->setPointLabelsFormat(PercentText(m_rows[i].value));
            mark->setPointLabelsFont(font());
            mark->setPointLabelsVisible(true);
            mark->setPointLabelsClipping(false);
        }
    } else {
        auto *set = new QBarSet(QString());
        for (const ChartRow &row : m_rows)
            set->append(row.value);
        set->setLabelColor(Qt::black); // the theme's colour is white, invisible above the bars
        auto *bars = new QBarSeries;
        bars->append(set);
        bars->setLabelsVisible(true);
        bars->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
        bars->setLabelsFormat(QStringLiteral("@value%"));
        bars->setLabelsPrecision(3);
        addSeries(chart, bars, xAxis, yAxis);
    }
    return chart;
}
