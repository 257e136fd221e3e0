// zaviro: the desktop program.

#include "app/ZavNovo.h"
#include "app/app_icon.h"
#include "app/batch.h"
#include "cli/cli_text.h"
#include "data/file_io.h"
#include "data/message_language.h"
#include "qtsupport/qt_interaction.h"
#include "qtsupport/qt_text.h"
#include "qtsupport/ui_language.h"
#include "zaviro_version.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onTerminate(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

// A session that ends (logout, shutdown) sends SIGTERM: leave the event loop
// and end normally instead of being killed mid-way.
void quitOnTerminate(QApplication& app) {
    if (::pipe(signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] { QApplication::quit(); });
    struct sigaction action {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

bool displayAvailable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

} // namespace

int main(int argc, char** argv) {
    const auto parsed = zav::cli::parseOptions(zav::cli::Program::Desktop, {argv + 1, argv + argc});
    // Its own texts in the locale's language; the reports follow --idioma.
    const auto language = zav::cli::messageLanguageFromEnvironment();
    if (const auto* usage = std::get_if<zav::cli::UsageError>(&parsed)) {
        if (usage->message.empty())
            std::fputs(zav::cli::usageText(zav::cli::Program::Desktop, language).c_str(), stderr);
        else
            std::fprintf(stderr, "%s\n", zav::cli::cliText(language, usage->message).c_str());
        return 2;
    }
    const auto& options = std::get<zav::cli::Options>(parsed);
    const auto print = [language](const std::string& bytes) {
        if (zav::writeStandardOutput(bytes)) return 0;
        std::fprintf(stderr, "%s\n", zav::messageText(language, zav::kStandardOutputFailure).c_str());
        return 1;
    };
    switch (options.command) {
    case zav::cli::Command::Help:
        return print(zav::cli::usageText(zav::cli::Program::Desktop, language));
    case zav::cli::Command::Version:
        return print(std::string("zaviro ") + zav::kVersion + "\n");
    case zav::cli::Command::Window:
        break;
    default:
        return zav::runBatch(options, argv[0]);
    }
    if (!displayAvailable()) {
        std::fputs(zav::cli::cliText(language,
                                     "Erro: nenhuma tela gráfica disponível (DISPLAY não definido).\n"
                                     "Abra o ZAVIRO numa sessão gráfica, ou use zaviro-relatorio ARQUIVO\n"
                                     "para obter o relatório no terminal, ou zaviro --pdf SAIDA.pdf ARQUIVO.\n")
                       .c_str(),
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Análise Faunística"));
    QApplication::setApplicationVersion(QString::fromLatin1(zav::kVersion));
    QApplication::setDesktopFileName(QString::fromLatin1(zav::kApplicationId));
    QApplication::setWindowIcon(zav::applicationIcon());
    // The window speaks the language chosen in its menu, or else the system's;
    // the toolkit's dialogs too.
    zav::installInterfaceLanguage(app, zav::startingInterfaceLanguage());
    quitOnTerminate(app);

    zav::QtInteraction interaction;
    zav::SystemClock clock;
    TZAVMain window(interaction, clock);
    interaction.setParent(&window);
    window.show();
    // "zaviro dados.txt", as a desktop's file manager starts it: the file is
    // analysed as "Calcular" would analyse it.
    // By its own bytes: a name that is not UTF-8 reaches the file too.
    if (!options.files.empty()) {
        const QString path = zav::absoluteFileName(options.files.front());
        QTimer::singleShot(0, &window, [&window, path] { window.guarded([&] { window.calculateFile(path); }); });
    }
    return app.exec();
}
