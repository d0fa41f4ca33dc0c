#pragma once
// The key filter of an entry box: the typed character is turned into upper case (and entered so),
// codes 1 to 26 pass, the rest must be in the allowed list (or not in the refused list);
// Enter runs the box's command and Escape its cancel, where the box has them.
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

class KeyFilter : public QObject {
    Q_OBJECT
public:
    enum Mode { Allowed, Refused };
    static KeyFilter *Install(QWidget *box, const QString &chars, Mode mode = Allowed,
                              std::function<void()> onEnter = {}, std::function<void()> onEscape = {});

    // The character that enters the box for a typed one, or nothing when it is dropped (no command run).
    static std::optional<QChar> Filter(QChar typed, const QString &chars, Mode mode);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    KeyFilter(QWidget *box, QString chars, Mode mode, std::function<void()> onEnter, std::function<void()> onEscape);
    QString m_chars;
    Mode m_mode;
    std::function<void()> m_onEnter;
    std::function<void()> m_onEscape;
};
