#pragma once

#include <QString>

// German message boxes. Questions show no icon unless the caller asks for one.
class MessageBoxes {
public:
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Icon { None, Critical, Exclamation, Information };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~MessageBoxes() = default;
    virtual Answer show(const QString& text, const QString& title, Buttons buttons, Icon icon) = 0;
    // Brings the message box that is open now (the last one shown) to the front.
    virtual void raiseOpen() {}
};
