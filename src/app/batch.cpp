#include "app/batch.h"

#include "analysis/analysis.h"
#include "charts/charts.h"
#include "data/atomic_file.h"
#include "data/errors.h"
#include "data/file_io.h"
#include "data/species_file.h"
#include "qtsupport/qt_interaction.h"
#include "qtsupport/qt_text.h"
#include "similarity/similarity.h"
#include "similarity/treatment_file.h"

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

constexpr const char* kUsage =
    "Uso: zaviro [ARQUIVO]\n"
    "     zaviro --pdf SAIDA.pdf ARQUIVO\n"
    "     zaviro --grafico SAIDA.svg|SAIDA.png|SAIDA.pdf ARQUIVO\n"
    "     zaviro --similaridade --pdf SAIDA.pdf ARQ1 ARQ2 ARQ3 [... ARQ10]\n"
    "     zaviro --similaridade --grafico SAIDA.svg|SAIDA.png|SAIDA.pdf ARQ1 ARQ2 ARQ3 [... ARQ10]\n"
    "\n"
    "Sem janela: grava em SAIDA o relatório (--pdf: as páginas do relatório e,\n"
    "depois, os gráficos) ou só os gráficos (--grafico, no formato dado pela\n"
    "extensão) da análise faunística do arquivo de dados ARQUIVO, ou da\n"
    "similaridade (Sorensen) de 3 a 10 arquivos de dados (tratamentos T1, T2, ...\n"
    "na ordem dada). Sem opções, o zaviro abre a sua janela e, com ARQUIVO,\n"
    "calcula-o como \"Calcular\" o faria.\n"
    "\n"
    "  -h, --help   mostra esta ajuda\n"
    "  --version    mostra a versão do programa\n"
    "\n"
    "Saída: 0 arquivo gravado; 1 erro num arquivo ou no cálculo (mensagem na\n"
    "saída de erro); 2 uso incorreto.\n";

struct Request {
    bool similarity = false;
    bool pdf = false; // the report's pages; otherwise the charts alone
    std::string output;
    std::vector<std::string> inputs;
};

// A file named on the command line: opened by its own bytes, shown by its
// absolute name.
QString shownName(const std::string& file) { return QFile::decodeName(absolutePath(file).c_str()); }

ReportDocument surveyFileDocument(const std::string& file) {
    auto table = loadSpeciesFile(file);
    const auto when = SystemClock().now();
    return surveyDocument(analyse(std::move(table)), shownName(file), when);
}

ReportDocument treatmentsDocument(const std::vector<std::string>& files) {
    PresenceMatrix matrix;
    QStringList paths;
    for (const auto& file : files) {
        matrix.treatments.push_back(loadTreatmentFile(file));
        paths << shownName(file);
    }
    return similarityDocument(CalculaSimilaridade(matrix), paths, SystemClock().now());
}

// Standard error carries the program's own messages only, not the toolkit's
// notes about the offscreen platform.
void quietToolkit(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

// The output is written by the bytes of its name, replacing a link there as
// zaviro-relatorio does, and never over one of the inputs.
int write(const Request& request) {
    const InputFiles inputs({request.inputs.begin(), request.inputs.end()});
    inputs.refuseAsOutput(request.output, LinkPolicy::Replace);
    const auto document =
        request.similarity ? treatmentsDocument(request.inputs) : surveyFileDocument(request.inputs[0]);
    const QString suffix = QFileInfo(QFile::decodeName(request.output.c_str())).suffix().toLower();
    const std::string bytes = request.pdf ? reportPdfBytes(document)
                                          : chartImageBytes(document.result, suffix,
                                                            QStringLiteral("Gráfico - ") + document.name);
    removeTemporaryOnSignals();
    writeFileAtomically(request.output, bytes);
    return 0;
}

} // namespace

void printUsage(std::FILE* to) { std::fputs(kUsage, to); }

int printHelp() { return writeStandardOutput(kUsage) ? 0 : 1; }

bool isBatchRequest(int argc, char** argv) {
    if (argc < 2) return false;
    const std::string first = argv[1];
    return first == "--pdf" || first == "--grafico" || first == "--similaridade";
}

int runBatch(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    Request request;
    request.similarity = !args.empty() && args[0] == "--similaridade";
    if (request.similarity) args.erase(args.begin());
    if (args.size() < 2 || (args[0] != "--pdf" && args[0] != "--grafico")) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    request.pdf = args[0] == "--pdf";
    request.output = args[1];
    request.inputs.assign(args.begin() + 2, args.end());
    if (request.similarity) {
        if (const auto problem = treatmentCountProblem(static_cast<std::int64_t>(request.inputs.size()));
            !problem.empty()) {
            std::fprintf(stderr, "%s\n", problem.c_str());
            return 2;
        }
    } else if (request.inputs.size() != 1) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const QString suffix = QFileInfo(QFile::decodeName(request.output.c_str())).suffix().toLower();
    const bool knownSuffix = request.pdf ? suffix == "pdf" : (suffix == "pdf" || suffix == "svg" || suffix == "png");
    if (!knownSuffix) {
        std::fputs(request.pdf ? "Erro: o relatório é gravado em PDF: termine o nome do arquivo em .pdf\n"
                               : "Erro: o gráfico é gravado em PNG, SVG ou PDF: termine o nome do arquivo em .png, "
                                 ".svg ou .pdf\n",
                   stderr);
        return 2;
    }

    // No window is opened: the offscreen platform needs no graphical session.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietToolkit);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    try {
        return write(request);
    } catch (const Error& e) {
        std::fprintf(stderr, "%s\n", e.what());
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s\n", kOutOfMemory);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Erro: %s\n", printable(e.what()).c_str());
    }
    return 1;
}

} // namespace zav
