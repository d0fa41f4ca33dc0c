#pragma once
// The report-card chart: one series of labelled percentages in one of five kinds, numbered as the
// chart component of the original program numbered them. The 2D kinds are Qt Charts, the 3D ones
// are drawn by Chart3D.
#include <QImage>
#include <QList>
#include <QWidget>

#include "exams/Chart3D.h"

class QChart;
class QChartView;
class QStackedLayout;

class ReportChart : public QWidget {
    Q_OBJECT
public:
    enum Kind { Bar3d = 0, Bar2d = 1, Line3d = 2, Line2d = 3, Pie2d = 14 };
    explicit ReportChart(QWidget *parent = nullptr);

    Kind ChartType() const { return m_kind; }
    void SetChartType(Kind kind);
    const QList<ChartRow> &Rows() const { return m_rows; }
    void SetRows(const QList<ChartRow> &rows);

    // The chart as a picture, as it looks on the window.
    QImage Picture();

private:
    void rebuild();
    QChart *makeChart() const;

    Kind m_kind = Bar2d;
    QList<ChartRow> m_rows;
    QStackedLayout *m_stack;
    QChartView *m_view;
    Chart3D *m_3d;
};
