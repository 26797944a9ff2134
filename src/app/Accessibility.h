#pragma once

// What Qt tells screen readers of the program's own windows, each a frame named by its
// caption, and of every scroll bar, named by its direction. Installed once, however often it
// is called.
void installAccessibility();
