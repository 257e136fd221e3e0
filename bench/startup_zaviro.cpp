// The main window as the program opens it, with the program's batch entry so
// that the same libraries are linked and loaded, ended at its first paint. Timed from outside by startup.sh.

#include "app/ZavNovo.h"
#include "app/batch.h"
#include "first_paint.h"
#include "qtsupport/qt_interaction.h"

#include <QApplication>

int main(int argc, char** argv) {
    const auto parsed = zav::cli::parseOptions(zav::cli::Program::Desktop, {argv + 1, argv + argc});
    if (const auto* options = std::get_if<zav::cli::Options>(&parsed);
        options && options->command != zav::cli::Command::Window)
        return zav::runBatch(*options, argv[0]);
    QApplication app(argc, argv);
    zav::QtInteraction interaction;
    zav::SystemClock clock;
    TZAVMain window(interaction, clock);
    zav::bench::QuitAfterFirstPaint quit(&window);
    window.show();
    return app.exec();
}
