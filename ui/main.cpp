#include "application.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    Q_INIT_RESOURCE(tarvimo);
    QApplication app(argc, argv);
    tarvimo::startTarvimo(app);
    return QApplication::exec();
}
