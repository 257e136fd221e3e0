// The yardstick: a bare Qt 6 window with a menu bar and a text view, ended at
// its first paint. Timed from outside by startup.sh.

#include "first_paint.h"

#include <QApplication>
#include <QFontDatabase>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&Arquivo"));
    for (const char* item : {"&Novo", "&Abrir...", "Sal&var...", "&Fechar", "&Sair"})
        file->addAction(QString::fromUtf8(item));
    window.menuBar()->addAction(QStringLiteral("&Calcular"));
    window.menuBar()->addAction(QStringLiteral("&Similaridade"));
    window.menuBar()->addMenu(QStringLiteral("A&juda"))->addAction(QStringLiteral("&Sobre ..."));
    auto* text = new QPlainTextEdit;
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    window.setCentralWidget(text);
    window.statusBar()->showMessage(QString());
    window.resize(616, 434);
    zav::bench::QuitAfterFirstPaint quit(&window);
    window.show();
    return app.exec();
}
