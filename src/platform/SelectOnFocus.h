#pragma once
// Entry boxes that select their whole text when they receive the focus, so typing replaces it.
class QLineEdit;

namespace SelectOnFocus {
void Install(QLineEdit *box);
}
