#pragma once
// The two three-dimensional chart kinds, drawn by hand: Qt's own 3D charts need OpenGL, which the
// machines without a display (and the tests) do not have.
#include <QList>
#include <QString>
#include <QWidget>

// One labelled value of the chart's single series.
struct ChartRow {
    QString label;
    double value = 0;
};

// A value as the charts label it: three significant digits and a percent sign ("33.3%").
QString PercentText(double value);

class Chart3D : public QWidget {
    Q_OBJECT
public:
    enum Style { Bars, Ribbon };
    explicit Chart3D(QWidget *parent = nullptr);

    void SetStyle(Style style);
    void SetRows(const QList<ChartRow> &rows);
    // The top of the value scale (the scale starts at 0).
    void SetMaximum(double maximum);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Style m_style = Bars;
    QList<ChartRow> m_rows;
    double m_maximum = 100;
};
