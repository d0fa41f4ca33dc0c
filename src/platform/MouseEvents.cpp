#include "platform/MouseEvents.h"

#include <QMouseEvent>
#include <QWidget>

#include "platform/Guard.h"

namespace {
// Each handler is entered behind the last guard.
MouseEvents::Handler guarded(MouseEvents::Handler handler) {
    if (!handler)
        return handler;
    return Guard::Guarded(std::move(handler));
}
} // namespace

MouseEvents::MouseEvents(QWidget *widget, Handlers handlers)
    : QObject(widget), m_widget(widget),
      m_handlers{guarded(std::move(handlers.down)), guarded(std::move(handlers.move)), guarded(std::move(handlers.up))} {}

MouseEvents *MouseEvents::Install(QWidget *widget, Handlers handlers) {
    auto *filter = new MouseEvents(widget, std::move(handlers));
    if (filter->m_handlers.move)
        widget->setMouseTracking(true);
    widget->installEventFilter(filter);
    return filter;
}

bool MouseEvents::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (watched != m_widget ||
        (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease))
        return QObject::eventFilter(watched, event);
    auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint pos = mouse->position().toPoint();
    if (type == QEvent::MouseButtonPress) {
        if (m_handlers.down && !m_widget->childAt(pos))
            m_handlers.down(mouse->button(), mouse->buttons(), pos);
    } else if (type == QEvent::MouseMove) {
        if (m_handlers.move)
            m_handlers.move(Qt::NoButton, mouse->buttons(), pos);
    } else if (m_handlers.up) {
        m_handlers.up(mouse->button(), mouse->buttons(), pos);
    }
    return QObject::eventFilter(watched, event);
}
