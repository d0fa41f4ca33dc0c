#include "platform/App.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

static void initResources() { Q_INIT_RESOURCE(resources); }

namespace App {

void initialise(QApplication &app) {
    initResources();
    app.setApplicationName(QString::fromLatin1(Title));
    app.setLayoutDirection(Qt::RightToLeft);
    QLocale::setDefault(QLocale(QLocale::Persian, QLocale::Iran));
    QFont font(QStringLiteral("Noto Sans Arabic"));
    font.setPointSize(10);
    app.setFont(font);
    auto *qtTexts = new QTranslator(&app);
    if (qtTexts->load(QStringLiteral("qtbase_fa"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qtTexts);
}

} // namespace App
