// The administrator's tool: creates the shared database file, empty or with demo content.
//   makedb FILE          the fixed tables and the one settings row
//   makedb --demo FILE   the same, filled with lessons, questions, classes, trainees and notes
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QTextStream>
#include <cstdio>

#include "platform/Db.h"
#include "shell/DemoData.h"
#include "shell/SharedDatabase.h"

static void initResources() { Q_INIT_RESOURCE(resources); }

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    initResources();
    QStringList args = app.arguments().mid(1);
    const bool demo = args.removeAll(QStringLiteral("--demo")) > 0;
    QTextStream err(stderr);
    if (args.size() != 1 || args.first().startsWith(u'-')) {
        err << "usage: makedb [--demo] FILE\n";
        return 2;
    }
    const QString path = args.first();
    try {
        SharedDatabase::CreateFile(path, DemoData::EditPassword);
        if (demo) {
            {
                QSqlDatabase db = SharedDatabase::OpenFile(path, QStringLiteral("makedb"));
                DemoData::Fill(db);
                db.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("makedb"));
        }
    } catch (const Db::DbError &e) {
        err << "makedb: " << e.what() << "\n";
        return 1;
    }
    QTextStream(stdout) << "created " << path << (demo ? " with demo content" : "") << "\n";
    return 0;
}
