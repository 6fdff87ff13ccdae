// The baseline for start-up figures: a bare Qt window with one line edit.
#include <QApplication>
#include <QLineEdit>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    auto* edit = new QLineEdit(&window);
    edit->setText(QStringLiteral("カナツムギ"));
    window.show();
    return QApplication::exec();
}
