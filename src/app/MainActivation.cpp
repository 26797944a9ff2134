#include "app/MainActivation.h"

#include <QGuiApplication>

#include "app/Docking.h"
#include "app/Program.h"
#include "mainwindow/MainWindow.h"

MainActivation::MainActivation(Program& program, QObject* parent)
    : QObject(parent), program_(program), previous_(QGuiApplication::focusWindow()) {
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
            &MainActivation::focusWindowChanged);
}

void MainActivation::focusWindowChanged(QWindow* now) {
    const bool fromInside = !previous_.isNull();
    previous_ = now;
    if (fromInside && now != nullptr && now == program_.mainWindow().windowHandle()) {
        runActivationSteps(program_);
    }
}
