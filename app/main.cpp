// tovarin: the calibration window. Qt's own command-line options stay Qt's;
// the program reads no arguments or environment variables of its own.

#include "ReducerApp.h"

int main(int argc, char** argv)
{
    Q_INIT_RESOURCE(tovarin);
    tovarin::CReducerApp app(argc, argv);
    return app.InitInstance();
}
