#pragma once

class QWidget;

namespace ui {

// Teaches the accessibility bus what the window's own widgets are: the main and help windows
// frames, the link labels and the logo links that a press action follows, the verdict a
// notification, the help page a document. Call once, before the first window is made.
void InstallAccessibleInterfaces();

// Tells a screen reader that the verdict changed, so that it speaks it even though the focus is
// elsewhere (in a grid cell, usually).
void AnnounceVerdict(QWidget* verdict);

}  // namespace ui
