// GoogleTest main for the window tests: one QApplication on the offscreen
// platform for the whole test program.

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Q_INIT_RESOURCE(tovarin);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tovarin"));
    QStandardPaths::setTestModeEnabled(true);
    // Remembered limits and models stay out of the user's settings, and out
    // of the other test programs' that CTest runs at the same time.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
