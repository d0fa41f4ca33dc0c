#include "platform/SelectOnFocus.h"

#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace {
class Selector : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::FocusIn) {
            QPointer<QLineEdit> box(static_cast<QLineEdit *>(watched));
            box->selectAll();
            // Again after the event: a mouse press that brought the focus places the cursor and drops it.
            QTimer::singleShot(0, box, [box] {
                if (box && box->hasFocus())
                    box->selectAll();
            });
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

namespace SelectOnFocus {
void Install(QLineEdit *box) { box->installEventFilter(new Selector(box)); }
} // namespace SelectOnFocus
