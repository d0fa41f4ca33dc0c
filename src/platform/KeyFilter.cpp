#include "platform/KeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <optional>

#include "platform/Guard.h"

KeyFilter::KeyFilter(QWidget *box, QString chars, Mode mode, std::function<void()> onEnter,
                     std::function<void()> onEscape)
    : QObject(box), m_chars(std::move(chars)), m_mode(mode),
      m_onEnter(onEnter ? Guard::Guarded(std::move(onEnter)) : std::function<void()>()),
      m_onEscape(onEscape ? Guard::Guarded(std::move(onEscape)) : std::function<void()>()) {}

KeyFilter *KeyFilter::Install(QWidget *box, const QString &chars, Mode mode, std::function<void()> onEnter,
                              std::function<void()> onEscape) {
    auto *filter = new KeyFilter(box, chars, mode, std::move(onEnter), std::move(onEscape));
    box->installEventFilter(filter);
    return filter;
}

std::optional<QChar> KeyFilter::Filter(QChar typed, const QString &chars, Mode mode) {
    const QString upper = QString(typed).toUpper();
    const QChar c = upper.size() == 1 ? upper[0] : typed;
    if (c.unicode() >= 1 && c.unicode() <= 26)
        return c;
    const bool listed = chars.contains(c);
    if ((mode == Allowed) != listed)
        return std::nullopt;
    return c;
}

bool KeyFilter::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (m_onEnter) {
            m_onEnter();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
    if (key->key() == Qt::Key_Escape) {
        if (m_onEscape) {
            m_onEscape();
            return true;
        }
        // Escape is a character like any other: it passes only when listed.
        return !Filter(QChar(27), m_chars, m_mode).has_value();
    }
    const QString text = key->text();
    if (text.size() != 1 || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return QObject::eventFilter(watched, event); // not a character: arrows, Delete, shortcuts
    const auto entered = Filter(text[0], m_chars, m_mode);
    if (!entered)
        return true;
    if (*entered == text[0] || entered->unicode() <= 26)
        return QObject::eventFilter(watched, event);
    // Enter the converted character in place of the typed one.
    if (auto *line = qobject_cast<QLineEdit *>(watched)) {
        if (!line->isReadOnly() && line->isEnabled())
            line->insert(QString(*entered));
        return true;
    }
    if (auto *plain = qobject_cast<QPlainTextEdit *>(watched)) {
        if (!plain->isReadOnly())
            plain->insertPlainText(QString(*entered));
        return true;
    }
    if (auto *rich = qobject_cast<QTextEdit *>(watched)) {
        if (!rich->isReadOnly())
            rich->insertPlainText(QString(*entered));
        return true;
    }
    return QObject::eventFilter(watched, event);
}
