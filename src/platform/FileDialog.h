#pragma once
// The save-file dialog, with a seam so tests can answer it.
#include <QString>
#include <functional>

class QWidget;

namespace FileDialog {

// What a test sees of one dialog.
struct Request {
    QString title;
    QString folder; // where the dialog opens (a missing folder: the nearest one above it)
    QString filter;
};
// Returns the chosen path, or the empty text for a cancel.
using Handler = std::function<QString(const Request &)>;

// The path the user chose, or the empty text when the dialog was cancelled.
QString GetSaveFileName(QWidget *parent, const QString &title, const QString &folder, const QString &filter);

// Tests install a handler that records the request and returns a scripted path; nullptr restores the dialog.
void SetHandler(Handler handler);

} // namespace FileDialog
