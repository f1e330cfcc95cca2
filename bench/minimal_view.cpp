// The baseline of the start-up benchmark: one web engine view on the address given, nothing else.
#include <QApplication>
#include <QUrl>
#include <QWebEngineView>

int main(int argc, char** argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QWebEngineView view;
    view.resize(1024, 768);
    view.load(QUrl::fromUserInput(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("about:blank")));
    view.show();
    return app.exec();
}
