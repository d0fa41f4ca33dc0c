#include <QApplication>
#include "platform/App.h"
int main(int argc, char **argv) {
    QApplication app(argc, argv);
    App::initialise(app);
    return 0;
}
