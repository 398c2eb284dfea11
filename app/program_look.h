#pragma once
// The program's look: standard controls drawn flat in a silver scheme, and
// the 12-pixel interface font.

class QApplication;

namespace paylog {

// Once, before any window is built: the window places its controls by the
// height of the tab strip, which this decides.
void applyProgramLook(QApplication& application);

}  // namespace paylog
