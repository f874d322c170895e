#pragma once

class QWidget;

namespace tess {

// Moves a top-level window to the middle of the screen it is on (the
// primary screen before it is first shown).
void centreOnScreen(QWidget *window);

}  // namespace tess
