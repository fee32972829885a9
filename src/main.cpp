#include "app/Application.h"
#include "app/TfrmPassword.h"
#include "app/Windows.h"

int main(int argc, char** argv)
{
    Application::requestSoftwareRendering();
    Application app(argc, argv);
    Windows::createAll();
    Windows::password()->present();
    const int result = app.exec();
    Windows::destroyAll();
    return result;
}
