// The baseline for start-up figures: a bare Qt window with one line edit, shown and
// left as soon as it is exposed.
#include <QApplication>
#include <QLineEdit>
#include <QWindow>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    auto* edit = new QLineEdit(&window);
    edit->setText(QStringLiteral("カナツムギ"));
    window.show();
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return 0;
}
