#pragma once

// What Qt tells screen readers of the program's own windows, each a frame named by its
// caption, of every scroll bar, named by its direction, and of every combo box given an
// accessible name, named by it. Installed once, however often it
// is called.
void installAccessibility();
