#pragma once

#include <QMessageBox>
#include <QPointer>
#include <vector>

#include "platform/MessageBoxes.h"

// QMessageBox with German button texts.
class QtMessageBoxes : public MessageBoxes {
public:
    Answer show(const QString& text, const QString& title, Buttons buttons, Icon icon) override;
    void raiseOpen() override;

private:
    // The boxes on screen, the last shown last: a box runs the event loop, so another may open
    // over it.
    std::vector<QPointer<QMessageBox>> open_;
};
