#include "platform/FileDialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QTreeView>

#include "platform/Mnemonics.h"
#include "platform/Modal.h"

namespace FileDialog {
namespace {
Handler &handler() {
    static Handler h;
    return h;
}

// A folder that is missing opens the nearest one above it that exists.
QString existingFolder(const QString &folder) {
    QDir dir(folder.isEmpty() ? QDir::currentPath() : folder);
    while (!dir.exists() && !dir.isRoot()) {
        const QString above = QFileInfo(dir.absolutePath()).absolutePath();
        if (above == dir.absolutePath())
            break;
        dir.setPath(above);
    }
    return dir.absolutePath();
}

// Draws a box's own text as one left-to-right run: the marks keep a leading or trailing "/" or "*"
// beside the text it belongs to. Only the drawing changes; the items keep their texts.
class LeftToRightText : public QProxyStyle {
public:
    void drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &palette, bool enabled,
                      const QString &text, QPalette::ColorRole role) const override {
        const QChar mark(0x200E);
        QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, mark + text + mark, role);
    }
};

// Persian captions whole: room for each label's text, buttons without the icons that crowd them
// in right-to-left, and the list's headings as wide as their captions.
void layOut(QFileDialog &dialog) {
    dialog.resize(780, 460);
    // The dialog puts its accept caption back whenever the typed name changes, so it is set for good.
    dialog.setLabelText(QFileDialog::Accept, Mnemonics::Dropped(dialog.labelText(QFileDialog::Accept)));
    Mnemonics::DropAll(&dialog);
    for (QLabel *label : dialog.findChildren<QLabel *>())
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(label->text()) + 12);
    for (QPushButton *button : dialog.findChildren<QPushButton *>()) {
        button->setIcon(QIcon());
        button->setMinimumWidth(std::max(90, button->fontMetrics().horizontalAdvance(button->text()) + 24));
    }
    for (QTreeView *list : dialog.findChildren<QTreeView *>()) {
        QHeaderView *header = list->header();
        for (int i = 0; i < header->count(); ++i) {
            const QString caption = header->model()->headerData(i, Qt::Horizontal).toString();
            const int wide = header->fontMetrics().horizontalAdvance(caption) + 32;
            header->resizeSection(i, std::max(header->sectionSize(i), wide));
        }
    }
    // Paths and patterns read left to right whatever the window's direction ("*.jpg", not "jpg.*";
    // "/home/x", not "home/x/").
    auto *leftToRight = new LeftToRightText;
    leftToRight->setParent(&dialog);
    for (const char *name : {"lookInCombo", "fileTypeCombo"})
        if (auto *combo = dialog.findChild<QComboBox *>(QLatin1String(name))) {
            combo->setLayoutDirection(Qt::LeftToRight);
            combo->setStyle(leftToRight);
        }
}

QString run(QWidget *parent, const Request &request) {
    // On the heap: a parent that goes while the dialog is open takes the dialog with it, once.
    QPointer<QFileDialog> dialog = new QFileDialog(parent, request.title);
    // No overwrite question: callers may write under a name derived from the chosen one, so the
    // question would be about the wrong file.
    dialog->setOptions(QFileDialog::DontConfirmOverwrite | QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(request.filter);
    // The folder alone: a missing folder's name must not become the file name.
    dialog->setDirectory(existingFolder(request.folder));
    dialog->selectFile(QString());
    layOut(*dialog);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog)
        return QString();
    const QStringList chosen = dialog->selectedFiles();
    delete dialog.data();
    return accepted && !chosen.isEmpty() ? chosen.first() : QString();
}
} // namespace

QString GetSaveFileName(QWidget *parent, const QString &title, const QString &folder, const QString &filter) {
    const Modal::Session open;
    const Request request{title, folder, filter};
    if (handler())
        return handler()(request);
    return run(parent, request);
}

void SetHandler(Handler h) { handler() = std::move(h); }

} // namespace FileDialog
