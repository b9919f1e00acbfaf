// The yardstick of the start-up benchmark: the smallest Qt Widgets program
// with a window, built by the same build with the same probe as kestrix.

#include "app/first_paint_probe.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Kestrix"));
    window.resize(291, 360);
    QuitAfterFirstPaintIfAsked(window);
    window.show();
    return app.exec();
}
