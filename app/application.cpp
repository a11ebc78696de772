#include "app/application.h"

#include "app/quiz_session.h"
#include "app/termination_signals.h"
#include "platform/real_platform.h"

#include <QApplication>
#include <QSessionManager>

namespace harvoline {

int RunHarvoline(int argc, char* argv[], const std::function<void(MainWindow&)>& beforeShow) {
    // The video view is the one native child window; its siblings stay ordinary widgets,
    // which Qt would otherwise turn into X windows stacked above it.
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Harvoline"));
    QApplication::setApplicationDisplayName(QStringLiteral("Harvoline"));
    // Wayland desktops find the menu entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.harvoline.Harvoline"));

    RealPlatform platform;
    QuizSession session(platform);
    MainWindow& window = session.Window();
    CloseOnTerminationSignals(window);
    // Logging out closes the window first, so nothing is lost with the session.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.close(); });
    if (beforeShow) {
        beforeShow(window);
    }
    window.show();
    return QApplication::exec();
}

} // namespace harvoline
