#include "app/DisplayStartGuard.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

// Qt's message handler is a plain function: what it holds back has to live here.
std::vector<HeldMessage>& heldMessages() {
    static std::vector<HeldMessage> messages;
    return messages;
}

QtMessageHandler& previousHandler() {
    static QtMessageHandler handler = nullptr;
    return handler;
}

QByteArray noDisplayLine() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "xcb") {
        return "brambleplayer: Die Anzeige-Plattform \"" + platform +
               "\" lässt sich nicht starten; das Programm wird beendet.\n";
    }
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) {
        return "brambleplayer: Keine Anzeige: DISPLAY ist nicht gesetzt; das Programm braucht "
               "eine X11-Anzeige und wird beendet.\n";
    }
    return "brambleplayer: Die X11-Anzeige \"" + display +
           "\" ist nicht erreichbar; das Programm wird beendet.\n";
}

void holdOrEnd(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    // While the application object is being made, the only fatal failure is a display that
    // cannot be opened.
    if (type == QtFatalMsg) {
        std::fputs(noDisplayLine().constData(), stderr);
        std::_Exit(EXIT_FAILURE);
    }
    heldMessages().push_back({type, QByteArray(context.category), text});
}

}  // namespace

DisplayStartGuard::DisplayStartGuard() {
    previousHandler() = qInstallMessageHandler(holdOrEnd);
}

DisplayStartGuard::~DisplayStartGuard() {
    release();
}

void DisplayStartGuard::release() {
    if (!active_) {
        return;
    }
    active_ = false;
    qInstallMessageHandler(previousHandler());
    for (const HeldMessage& message : heldMessages()) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    heldMessages().clear();
}
