#include <QApplication>
#include <QMainWindow>
#include <QTabWidget>
#include <QWidget>

// The floor for the start-up benchmark: a Qt Widgets program that does no
// more than show a main window with as many tabs as QntCalc has pages.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    auto* tabs = new QTabWidget(&window);
    for (int page = 1; page <= 8; ++page)
        tabs->addTab(new QWidget(tabs), QStringLiteral("Page %1").arg(page));
    window.setCentralWidget(tabs);
    window.setWindowTitle(QStringLiteral("Bare Qt window"));
    window.show();
    return QApplication::exec();
}
