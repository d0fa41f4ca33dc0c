#include <QApplication>

#include "platform/App.h"
#include "platform/Form.h"
#include "platform/SingleInstance.h"
#include "shell/frmadress.h"

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    App::initialise(app);
    App::QuitWhenLastWindowCloses(true);
    // Taken now, told at Confirm: a copy that starts second learns of the first when it connects.
    SingleInstance::Acquire();
    frmadress startup;
    startup.Show();
    const int code = app.exec();
    Forms::DestroyAll();
    return code;
}
