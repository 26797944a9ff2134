#pragma once

#include "platform/MessageBoxes.h"

// QMessageBox with German button texts.
class QtMessageBoxes : public MessageBoxes {
public:
    Answer show(const QString& text, const QString& title, Buttons buttons, Icon icon) override;
};
