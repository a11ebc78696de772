#include "model/config/text_file.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <csignal>

using namespace harvoline;

// The real program, stopped by SIGTERM, still saves its settings.
TEST(Termination, SigtermWritesTheSettingsFile) {
    QTemporaryDir dir;
    const QString program = dir.filePath("harvoline");
    ASSERT_TRUE(QFile::copy(HARVOLINE_BINARY, program));
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(dir.path());
    process.start(program, {});
    ASSERT_TRUE(process.waitForStarted(10000));
    // Give it time to show its window: a signal before the handler is in place would
    // simply end it, which this test would report.
    QThread::msleep(2500);
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    const QStringList lines = ReadTextLines(dir.filePath("Harvoline.ini"));
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[1], "Name1: Name1.jpg; Name1");
    EXPECT_EQ(lines[10], "Highscores:");
}
