// GoogleTest main for the window tests: one QApplication on the offscreen
// platform for the whole test program.

#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Q_INIT_RESOURCE(tovarin);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tovarin"));
    QStandardPaths::setTestModeEnabled(true); // remembered limits stay out of the user's settings
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
