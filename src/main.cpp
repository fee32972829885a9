#include "shell/Application.h"
#include "start/TfrmPassword.h"
#include "start/Windows.h"

#include <cstdio>

int main(int argc, char** argv)
{
    // Qt would abort with a core dump, which tells the user nothing.
    if (!Application::hasDisplay(argc, argv)) {
        std::fprintf(stderr, "%s\n", Application::noDisplayText());
        return 1;
    }
    Application::requestSoftwareRendering();
    Application app(argc, argv);
    Windows::createAll();
    Windows::password()->present();
    const int result = app.exec();
    Windows::destroyAll();
    return result;
}
