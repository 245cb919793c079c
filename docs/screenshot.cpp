// Renders the main window, as it opens on the dictionary in res/, into a PNG file.
//
//   lexora-screenshot OUTPUT.png [HEADWORD]
//
// Run from the directory that holds res/. With a headword, it is typed into the
// dictionary search field first, so that the picture shows its entry.

#include "mylineedit.h"
#include "widget.h"

#include <QApplication>
#include <QFont>
#include <QPixmap>
#include <QTest>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("arial unicode ms"), 10, -1, false));
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fputs("Usage: lexora-screenshot OUTPUT.png [HEADWORD]\n", stderr);
        return 2;
    }
    Widget window;
    window.resize(window.minimumSize());
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    if (args.size() == 3) {
        window.findChild<MyLineEdit *>()->insert(args.at(2));
    }
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    return window.grab().save(args.at(1)) ? 0 : 1;
}
