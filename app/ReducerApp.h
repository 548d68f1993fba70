#pragma once
// CReducerApp: the application object. It starts the toolkit, runs the one
// window modally and lets the program end when that window closes.

#include <QApplication>

namespace tovarin {

class CReducerApp : public QApplication
{
  public:
    CReducerApp(int& argc, char** argv);

    // Opens the window and returns when "Exit" closed it; 0 is the exit status.
    int InitInstance();
};

} // namespace tovarin
