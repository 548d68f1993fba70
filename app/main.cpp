// tovarin: the calibration window. The program reads no arguments of its own,
// and hands Qt only its own name, so that options such as -reverse or -style
// cannot change the window; the environment variables Qt reads still work.

#include "ReducerApp.h"

int main(int argc, char** argv)
{
    Q_INIT_RESOURCE(tovarin);
    int qtArgc = argc > 0 ? 1 : 0;
    char* qtArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};
    tovarin::CReducerApp app(qtArgc, qtArgv);
    return app.InitInstance();
}
