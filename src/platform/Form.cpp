#include "platform/Form.h"

#include "platform/App.h"
#include "platform/Modal.h"
#include "platform/TextBoxes.h"
#include "platform/TextLimit.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace {
constexpr int TwipsPerPixel = 15;
}

FormWidget::FormWidget(FormBase *owner) : m_owner(owner) { setObjectName(owner->Name()); }

void FormWidget::closeEvent(QCloseEvent *event) {
    bool closes = true;
    // A window whose unload failed stays open (the failure told).
    if (m_owner && !Guard::Run([&] { closes = m_owner->Unload(); }))
        closes = false;
    event->setAccepted(closes);
}

// Escape and Enter belong to the window's own handlers, never to the dialog's defaults.
void FormWidget::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FormWidget::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (!event->spontaneous() && m_owner) {
        QPointer<FormWidget> self(this);
        QTimer::singleShot(0, this, [self] {
            if (self && self->m_owner && self->isVisible())
                Guard::Run([&] { self->m_owner->Activate(); });
        });
    }
}

void FormWidget::reject() { close(); }

FormBase::FormBase(QString name) : m_name(std::move(name)) {}

FormBase::~FormBase() {
    if (m_widget) {
        m_widget->release();
        delete m_widget.data();
    }
}

FormWidget *FormBase::Widget() {
    if (!m_widget)
        Load();
    return m_widget.data();
}

void FormBase::Load() {
    if (m_widget)
        return;
    m_modalLevel = Modal::Depth();
    m_widget = new FormWidget(this);
    m_widget->setAttribute(Qt::WA_DeleteOnClose, false);
    CreateControls(m_widget);
    TextBoxes::AlignRight(m_widget);
    TextLimit::CountCharacters(m_widget);
    // Buttons act only on their own clicks: no default button answers Enter.
    for (auto *button : m_widget->findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    Form_Load();
}

bool FormBase::Unload() {
    if (!m_widget || m_unloading)
        return true;
    if (Modal::Depth() > m_modalLevel) {
        // Its controls (and the open modal's own parent) must outlive that modal.
        if (!m_unloadWaiting) {
            m_unloadWaiting = true;
            std::weak_ptr<bool> alive = m_alive;
            Modal::WhenDepthAtMost(m_modalLevel, [this, alive] {
                if (alive.expired() || !m_unloadWaiting)
                    return;
                m_unloadWaiting = false;
                Unload();
            });
        }
        return false;
    }
    m_unloadWaiting = false;
    if (!Form_QueryUnload())
        return false;
    m_unloading = true;
    Form_Unload();
    FormWidget *widget = m_widget.data();
    m_widget = nullptr;
    // Nothing of the old controls may fire into the window once it is unloaded.
    for (auto *timer : widget->findChildren<QTimer *>())
        timer->stop();
    for (auto *child : widget->findChildren<QObject *>())
        child->blockSignals(true);
    DestroyControls();
    widget->release();
    widget->hide(); // ends a modal loop that runs on it
    widget->deleteLater();
    m_unloading = false;
    App::WindowClosed();
    return true;
}

void FormBase::Show() {
    FormWidget *widget = Widget();
    const bool alreadyShown = widget->isVisible();
    widget->show();
    // Asked for again while open (a modeless window behind another): bring it to the user.
    if (alreadyShown) {
        widget->raise();
        widget->activateWindow();
    }
    m_modalLevel = Modal::Depth();
}

int FormBase::ShowModal() {
    FormWidget *widget = Widget();
    widget->setModal(true);
    m_modalLevel = Modal::Depth() + 1;
    // The window may be destroyed inside its own modal loop: touch nothing of it then.
    std::weak_ptr<bool> alive = m_alive;
    const int result = Modal::Exec(*widget);
    if (!alive.expired() && m_widget)
        m_modalLevel = Modal::Depth();
    return result;
}

void FormBase::Hide() {
    if (m_widget)
        m_widget->hide();
}

void FormBase::Activate() {
    if (m_widget)
        Form_Activate();
}

int FormBase::Left() { return Widget()->x() * TwipsPerPixel; }
int FormBase::Top() { return Widget()->y() * TwipsPerPixel; }
void FormBase::Move(int leftTwips, int topTwips) {
    Widget()->move(leftTwips / TwipsPerPixel, topTwips / TwipsPerPixel);
}

namespace Forms {
namespace {
// Ordered by creation, so the end of the run destroys the windows in reverse.
std::vector<std::pair<std::type_index, std::unique_ptr<FormBase>>> &registry() {
    static std::vector<std::pair<std::type_index, std::unique_ptr<FormBase>>> r;
    return r;
}
} // namespace

namespace detail {
std::unique_ptr<FormBase> &slot(std::type_index type) {
    auto &r = registry();
    for (auto &entry : r)
        if (entry.first == type)
            return entry.second;
    r.emplace_back(type, nullptr);
    return r.back().second;
}
} // namespace detail

void DestroyAll() {
    auto &r = registry();
    while (!r.empty()) {
        auto entry = std::move(r.back());
        r.pop_back();
        entry.second.reset();
    }
}

int LoadedCount() {
    int n = 0;
    for (auto &entry : registry())
        if (entry.second && entry.second->IsLoaded())
            ++n;
    return n;
}
} // namespace Forms
