#pragma once
// The text boxes of a right-to-left window.
class QWidget;

namespace TextBoxes {
// Every one-line box of the window whose layout leaves its alignment as it comes puts its text at the
// right edge, digits too: a box on its own would follow its text's direction, so that "12" stood at
// the left of a box where Persian stands at the right.
void AlignRight(QWidget *window);
} // namespace TextBoxes
