#pragma once
// A window of the program: one instance for the whole run. Loading builds its controls and runs its
// load handler; unloading destroys the controls, while the instance and its own variables live on.
// Code that touches a control of an unloaded window loads it first.
#include <QAbstractButton>
#include <QDialog>
#include <QPointer>
#include <QString>
#include <map>
#include <memory>
#include <typeindex>

#include "platform/Guard.h"

class FormBase;

// The top-level widget of a loaded window; it routes the close box through the window's unload.
class FormWidget : public QDialog {
    Q_OBJECT
public:
    explicit FormWidget(FormBase *owner);
    FormBase *owner() const { return m_owner; }
    void release() { m_owner = nullptr; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void reject() override;

private:
    FormBase *m_owner;
};

class FormBase {
public:
    explicit FormBase(QString name);
    virtual ~FormBase();
    FormBase(const FormBase &) = delete;
    FormBase &operator=(const FormBase &) = delete;

    const QString &Name() const { return m_name; }
    bool IsLoaded() const { return !m_widget.isNull(); }

    // The window's widget; loads the window first when it is not loaded.
    FormWidget *Widget();
    void Load();
    // Asks the window's query-unload handler; false when the window refused to close. While a modal
    // window that it opened is still open (a message box, a dialog, another window) the unload waits
    // until that has closed, and false is returned for now.
    bool Unload();
    void Show();
    int ShowModal();
    void Hide();
    // The window became active: runs the activate handler (the first one after each load is queued by the show).
    void Activate();

    // Left and top edges in twips (1/15 pixel), as the windows place each other.
    int Left();
    int Top();
    void Move(int leftTwips, int topTwips);

protected:
    virtual void CreateControls(FormWidget *widget) = 0;
    virtual void DestroyControls() = 0;
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    // Return false to keep the window open.
    virtual bool Form_QueryUnload() { return true; }
    virtual void Form_Unload() {}

private:
    friend class FormWidget;
    QString m_name;
    QPointer<FormWidget> m_widget;
    bool m_unloading = false;
    // How many modal windows were open when this one was shown; any beyond that are its own.
    int m_modalLevel = 0;
    bool m_unloadWaiting = false;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

// A window whose controls come from a layout (a generated Ui:: class).
template <class UiT> class UiForm : public FormBase {
public:
    using FormBase::FormBase;
    // Touching a control loads the window.
    UiT &ui() {
        Widget();
        return *m_ui;
    }

protected:
    void CreateControls(FormWidget *widget) override {
        m_ui = std::make_unique<UiT>();
        m_ui->setupUi(widget);
        Connect();
    }
    void DestroyControls() override {
        Disconnect();
        m_ui.reset();
    }
    // Wires the handlers and makes the controls that the layout cannot hold (data controls, timers).
    virtual void Connect() {}
    // Forgets what Connect made: it is owned by the widget and goes with it.
    virtual void Disconnect() {}

private:
    std::unique_ptr<UiT> m_ui;
};

// Runs handler on each signal of sender, for as long as the window's controls live. Every handler of
// a window is entered through here (or OnClick), behind the last guard.
template <class Sender, class Signal, class Handler>
void On(FormBase &form, Sender *sender, Signal signal, Handler handler) {
    Guard::Connect(sender, signal, form.Widget(), std::move(handler));
}

// Runs the window's handler on each click of button, for as long as the window's controls live.
template <class F> void OnClick(F &form, QAbstractButton *button, void (F::*handler)()) {
    On(form, button, &QAbstractButton::clicked, [&form, handler] { (form.*handler)(); });
}

// The one instance of each window, created on first use.
namespace Forms {
namespace detail {
std::unique_ptr<FormBase> &slot(std::type_index type);
}
template <class F> F &Get() {
    auto &s = detail::slot(typeid(F));
    if (!s)
        s = std::make_unique<F>();
    return static_cast<F &>(*s);
}
template <class F> bool Exists() { return static_cast<bool>(detail::slot(typeid(F))); }
// Ends every window instance (the end of the program, or of a test).
void DestroyAll();
// The windows that are loaded now.
int LoadedCount();
} // namespace Forms
