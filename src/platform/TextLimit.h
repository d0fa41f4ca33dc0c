#pragma once
// Typing limits count characters, not UTF-16 units: a limit never cuts a character in two, so a
// text cut to its box's limit is still a whole text (and valid UTF-8 in the file).
#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace TextLimit {
// The number of characters of text (a surrogate pair is one).
int Characters(const QString &text);
// The first limit characters of text.
QString Left(const QString &text, int limit);
// Every entry box of the window that has a maximum length keeps it, counted in characters: what is
// typed or pasted beyond it is cut, as before, only never inside a character.
void CountCharacters(QWidget *window);
// The limit of a box in characters; 0 when it has none.
int Of(const QLineEdit *box);
// A several-line box that takes at most limit characters; a longer text keeps its beginning.
void Install(QPlainTextEdit *box, int limit);
} // namespace TextLimit
