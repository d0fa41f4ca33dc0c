#include "platform/TextBoxes.h"

#include <QLineEdit>

namespace TextBoxes {

void AlignRight(QWidget *window) {
    if (window->layoutDirection() != Qt::RightToLeft)
        return;
    // The boxes inside editable lists too.
    for (QLineEdit *box : window->findChildren<QLineEdit *>()) {
        const Qt::Alignment alignment = box->alignment();
        if ((alignment & Qt::AlignHorizontal_Mask) == Qt::AlignLeft)
            box->setAlignment((alignment & ~Qt::AlignHorizontal_Mask) | Qt::AlignRight | Qt::AlignAbsolute);
    }
}

} // namespace TextBoxes
