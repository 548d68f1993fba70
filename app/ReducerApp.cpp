#include "ReducerApp.h"

#include "ReducerDlg.h"

#include <QFileInfo>

#include <clocale>

namespace tovarin {

CReducerApp::CReducerApp(int& argc, char** argv) : QApplication(argc, argv)
{
    // The toolkit takes the process locale from the environment; every number
    // of this program is written and read with a decimal point.
    std::setlocale(LC_NUMERIC, "C");
    // Message boxes are captioned with the program file's name: a copy named
    // "calib" says "calib".
    setApplicationName(argc > 0 ? QFileInfo(QString::fromLocal8Bit(argv[0])).completeBaseName()
                                : QStringLiteral("tovarin"));
}

int CReducerApp::InitInstance()
{
    CReducerDlg dialog;
    int status = 0;
    dialog.SetExitHandler([&status](int exitStatus) { status = exitStatus; });
    if (!dialog.OnInitDialog())
        return status;
    dialog.exec();
    return 0;
}

} // namespace tovarin
