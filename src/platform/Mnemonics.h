#pragma once
// Qt's own Persian captions carry keyboard mnemonics ("&بله"); the underline splits a joined word
// into loose letters, so the dialogs Qt builds show their captions without them.
class QWidget;
class QString;

namespace Mnemonics {
// The caption as shown without its mnemonic marker ("&&" stays a literal "&").
QString Dropped(const QString &caption);
// Drops the markers of every button and buddied label inside the widget.
void DropAll(QWidget *root);
} // namespace Mnemonics
