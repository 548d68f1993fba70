#pragma once
// CReducerApp: the application object. It starts the toolkit, runs the one
// window modally and lets the program end when that window closes.

#include <QApplication>

namespace tovarin {

class CReducerApp : public QApplication
{
  public:
    CReducerApp(int& argc, char** argv);

    // Opens the window and returns the exit status: 0 when "Exit" closed it,
    // 1 when the window could not open its run log.
    int InitInstance();
};

} // namespace tovarin
