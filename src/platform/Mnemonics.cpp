#include "platform/Mnemonics.h"

#include <QAbstractButton>
#include <QLabel>
#include <QString>
#include <QWidget>

namespace Mnemonics {

QString Dropped(const QString &caption) {
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&')
                ++i;
            else
                continue;
        }
        shown += caption[i];
    }
    return shown;
}

void DropAll(QWidget *root) {
    for (QAbstractButton *button : root->findChildren<QAbstractButton *>())
        button->setText(Dropped(button->text()));
    for (QLabel *label : root->findChildren<QLabel *>())
        if (label->buddy()) // only a label with a buddy reads "&" as a marker
            label->setText(Dropped(label->text()));
}

} // namespace Mnemonics
