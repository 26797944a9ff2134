#pragma once

// Lets Qt describe each of the program's own windows to screen readers as a frame named by its
// caption. Installed once, however often it is called.
void installWindowAccessibility();
