#include "platform/App.h"

#include "platform/BusyMessages.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

static void initResources() { Q_INIT_RESOURCE(resources); }

namespace App {
namespace {
EndHandler &endHandler() {
    static EndHandler h;
    return h;
}
bool &quitOnLast() {
    static bool on = false;
    return on;
}
} // namespace

void initialise(QApplication &app) {
    initResources();
    app.setApplicationName(QString::fromLatin1(Title));
    app.setLayoutDirection(Qt::RightToLeft);
    app.setQuitOnLastWindowClosed(false);
    QLocale::setDefault(QLocale(QLocale::Persian, QLocale::Iran));
    QFont font(QStringLiteral("Noto Sans Arabic"));
    font.setPointSize(10);
    app.setFont(font);
    auto *qtTexts = new QTranslator(&app);
    if (qtTexts->load(QStringLiteral("qtbase_fa"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qtTexts);
    // The storage layer waits; whether to wait on is the user's to say.
    Db::SetKeepWaitingQuestion(&Db::AskKeepWaiting);
}

void End(int code) {
    if (endHandler()) {
        endHandler()(code);
        return;
    }
    std::fflush(nullptr);
    std::_Exit(code);
}

void SetEndHandler(EndHandler handler) { endHandler() = std::move(handler); }

void QuitWhenLastWindowCloses(bool on) { quitOnLast() = on; }

void WindowClosed() {
    if (!quitOnLast())
        return;
    // Looked at once the closing handler has finished: it may be about to show the next window.
    QTimer::singleShot(0, qApp, [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible())
                return;
        QCoreApplication::quit();
    });
}
} // namespace App
