#include "app/batch.h"

#include "charts/charts.h"
#include "cli/cli_text.h"
#include "data/atomic_file.h"
#include "data/errors.h"
#include "data/file_io.h"
#include "data/message_language.h"
#include "qtsupport/qt_interaction.h"
#include "qtsupport/qt_text.h"
#include "runs/run_kinds.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

namespace zav {
namespace {

// A file named on the command line: opened by its own bytes, shown by its
// absolute name.
QString shownName(const std::string& file) { return QFile::decodeName(absolutePath(file).c_str()); }

// The document of the run the command line asks for, from the core's run
// entry. How treatments' species were paired goes to standard error, as
// their reports print it; a survey's warnings are zaviro-relatorio's to
// print, and standard error here stays for failures.
ReportDocument requestedDocument(const cli::Options& options) {
    SystemClock clock;
    auto run = runFiles(options.kind, {options.files.begin(), options.files.end()}, options.parameters, clock);
    if (!runKind(options.kind).oneFile())
        for (const auto& notice : runNotices(run))
            std::fprintf(stderr, "%s\n", notice.c_str());
    QStringList paths;
    for (const auto& file : options.files)
        paths << shownName(file);
    return reportDocument(std::move(run), paths);
}

// Standard error carries the program's own messages only, not the toolkit's
// notes about the offscreen platform.
void quietToolkit(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

// The output is written by the bytes of its name, replacing a link there as
// zaviro-relatorio does, and never over one of the inputs.
int write(const cli::Options& options) {
    const InputFiles inputs({options.files.begin(), options.files.end()});
    inputs.refuseAsOutput(options.output, LinkPolicy::Replace);
    const auto document = requestedDocument(options);
    const QString suffix = QFileInfo(QFile::decodeName(options.output.c_str())).suffix().toLower();
    // The charts with the key of the treatments, as the window draws them.
    const std::string bytes =
        options.format == cli::Format::Pdf ? reportPdfBytes(document) : chartImageBytes(document, suffix);
    removeTemporaryOnSignals();
    writeFileAtomically(options.output, bytes);
    return 0;
}

} // namespace

int runBatch(const cli::Options& options, char* programName) {
    // No window is opened: the offscreen platform needs no graphical session.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietToolkit);
    int qtArgc = 1;
    QApplication app(qtArgc, &programName);
    // What went wrong in the locale's language, as the usage texts.
    const auto language = cli::messageLanguageFromEnvironment();
    const auto complain = [language](const std::string& message) {
        std::fprintf(stderr, "%s\n", messageText(language, message).c_str());
    };
    try {
        return write(options);
    } catch (const Error& e) {
        complain(e.what());
    } catch (const std::bad_alloc&) {
        complain(kOutOfMemory);
    } catch (const std::exception& e) {
        complain(std::string("Erro: ") + printable(e.what()));
    }
    return 1;
}

} // namespace zav
