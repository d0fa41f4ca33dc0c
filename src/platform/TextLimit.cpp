#include "platform/TextLimit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QValidator>
#include <algorithm>

#include "platform/Guard.h"

namespace TextLimit {

namespace {
// The length of the character that ends just before index.
int charBefore(const QString &text, int index) {
    return index >= 2 && text[index - 1].isLowSurrogate() && text[index - 2].isHighSurrogate() ? 2 : 1;
}

// A box's maximum length in characters. What goes beyond it is cut from what was just entered
// (the text before the cursor), as a box's own maximum length does.
class CharacterLimit : public QValidator {
public:
    CharacterLimit(int limit, QObject *parent) : QValidator(parent), m_limit(limit) {}

    int limit() const { return m_limit; }

    State validate(QString &input, int &pos) const override {
        int excess = Characters(input) - m_limit;
        if (excess <= 0)
            return Acceptable;
        int from = std::clamp(pos, 0, int(input.size()));
        const int to = from;
        for (; excess > 0 && from > 0; --excess)
            from -= charBefore(input, from);
        input.remove(from, to - from);
        pos = from;
        if (excess > 0) {
            input = Left(input, m_limit);
            pos = std::min(pos, int(input.size()));
        }
        return Acceptable;
    }

private:
    int m_limit;
};
} // namespace

int Characters(const QString &text) {
    int n = 0;
    for (int i = 0; i < text.size(); ++i, ++n)
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
    return n;
}

QString Left(const QString &text, int limit) {
    int end = 0;
    for (int n = 0; n < limit && end < text.size(); ++n)
        end += text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate() ? 2 : 1;
    return text.left(end);
}

void CountCharacters(QWidget *window) {
    const int unlimited = QLineEdit().maxLength();
    for (QLineEdit *box : window->findChildren<QLineEdit *>()) {
        if (box->maxLength() >= unlimited || box->validator())
            continue;
        box->setValidator(new CharacterLimit(box->maxLength(), box));
        box->setMaxLength(unlimited);
    }
}

int Of(const QLineEdit *box) {
    if (const auto *limit = dynamic_cast<const CharacterLimit *>(box->validator()))
        return limit->limit();
    return box->maxLength() < QLineEdit().maxLength() ? box->maxLength() : 0;
}

void Install(QPlainTextEdit *box, int limit) {
    Guard::Connect(box, &QPlainTextEdit::textChanged, box, [box, limit] {
        const QString text = box->toPlainText();
        if (Characters(text) <= limit)
            return;
        const QSignalBlocker block(box);
        box->setPlainText(Left(text, limit));
        box->moveCursor(QTextCursor::End);
    });
}

} // namespace TextLimit
