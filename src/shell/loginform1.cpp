#include "shell/loginform1.h"

#include <QAction>
#include <QKeyEvent>

#include "platform/App.h"
#include "shell/LoginForm.h"

namespace {
// Hands Text1's keys and Label3's double click to the window's handlers; Text1 takes every
// character as typed (a folder path keeps its case).
class PromptEvents : public QObject {
public:
    PromptEvents(loginform1 &form, QWidget *text1, QWidget *label3)
        : QObject(text1), m_form(form), m_text1(text1), m_label3(label3) {
        text1->installEventFilter(this);
        label3->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        // Nothing reaches the window while it unloads: its handlers would load it again.
        if (!m_form.IsLoaded())
            return QObject::eventFilter(watched, event);
        if (watched == m_label3 && event->type() == QEvent::MouseButtonDblClick) {
            Guard::Run([this] { m_form.Label3_DblClick(); });
            return true;
        }
        if (watched == m_text1 && event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                Guard::Run([this] { m_form.Text1_Enter(); });
                return true;
            }
            if (key->text().size() == 1 && key->text()[0].isPrint())
                Guard::Run([&] { m_form.Text1_KeyPress(key->text()[0]); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    loginform1 &m_form;
    QWidget *m_text1;
    QWidget *m_label3;
};
} // namespace

void loginform1::Connect() {
    auto &u = ui();
    new PromptEvents(*this, u.Text1, u.Label3);
    On(*this, u.Button1, &QAction::triggered, [this] { Toolbar1_ButtonClick(1); });
    On(*this, u.Button2, &QAction::triggered, [this] { Toolbar1_ButtonClick(2); });
    On(*this, u.Button3, &QAction::triggered, [this] { Toolbar1_ButtonClick(3); });
}

void loginform1::Toolbar1_ButtonClick(int button) {
    switch (button) {
    case 1:
        App::End();
        break;
    case 2:
        Unload();
        break;
    case 3:
        Unload();
        Forms::Get<LoginForm>().ShowModal();
        break;
    default:
        break;
    }
}

void loginform1::Text1_KeyPress(QChar key) { ui().cmd1->setText(QString(key)); }

void loginform1::Text1_Enter() {
    if (ui().Button3->isEnabled())
        Forms::Get<LoginForm>().ShowModal();
    Unload();
}

void loginform1::Label3_DblClick() { ui().Text1->clear(); }
