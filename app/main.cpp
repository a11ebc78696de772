#include "app/main_window.h"
#include "app/termination_signals.h"
#include "platform/real_platform.h"

#include <QApplication>
#include <QSessionManager>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Harvoline"));
    QApplication::setApplicationDisplayName(QStringLiteral("Harvoline"));

    harvoline::RealPlatform platform;
    harvoline::TfrmMain frmMain(platform);
    harvoline::CloseOnTerminationSignals(frmMain);
    // Logging out closes the window first, so nothing is lost with the session.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &frmMain,
                     [&frmMain](QSessionManager&) { frmMain.close(); });
    frmMain.show();
    return app.exec();
}
