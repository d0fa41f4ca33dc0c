#pragma once
// The mouse handlers of one widget, the window itself or one of its controls: button down, move and
// up, with the position in the widget's own pixels. A press that lands on a child control belongs to
// that control, so it is not the widget's even when the control passes it up; moves and releases
// are reported as they reach the widget, those that a child passes up included. Installing a move
// handler turns on mouse tracking, so moves without a button pressed arrive too.
#include <QObject>
#include <QPoint>
#include <functional>

class QWidget;

class MouseEvents : public QObject {
    Q_OBJECT
public:
    // button: the button that went down or up (none for a move); buttons: those held down now.
    using Handler = std::function<void(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos)>;
    struct Handlers {
        Handler down = {};
        Handler move = {};
        Handler up = {};
    };
    static MouseEvents *Install(QWidget *widget, Handlers handlers);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    MouseEvents(QWidget *widget, Handlers handlers);
    QWidget *m_widget;
    Handlers m_handlers;
};
