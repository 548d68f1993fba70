#include "ReducerApp.h"

#include "ReducerDlg.h"

#include <clocale>

namespace tovarin {

CReducerApp::CReducerApp(int& argc, char** argv) : QApplication(argc, argv)
{
    // The toolkit takes the process locale from the environment; every number
    // of this program is written and read with a decimal point.
    std::setlocale(LC_NUMERIC, "C");
    setApplicationName(QStringLiteral("tovarin"));
}

int CReducerApp::InitInstance()
{
    CReducerDlg dialog;
    if (!dialog.OnInitDialog())
        return 0;
    dialog.exec();
    return 0;
}

} // namespace tovarin
