#pragma once

#include <functional>

class QWidget;

// Makes a small window answer the keys as a dialog does. Escape, where no control of the window
// took it, does `escape` (what its close or cancel button does; none: Escape is left alone).
// Return and Enter press the push button that has the focus: Qt's own buttons press on them
// only as a dialog's default button, which would also press on a Return typed into a text box.
// The window's push buttons must exist by the time of the call.
void answerDialogKeys(QWidget& window, std::function<void()> escape);
