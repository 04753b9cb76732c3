#include "host/app.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication qapp(argc, argv);
    snippo::CTessalyToolApp app;
    if (!app.InitInstance(QCoreApplication::arguments()))
        return 1;
    return app.Run();
}
