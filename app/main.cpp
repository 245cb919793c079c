#include "widget.h"

#include <QApplication>
#include <QFont>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("arial unicode ms"), 10, -1, false));
    Widget window;
    window.show();
    return app.exec();
}
