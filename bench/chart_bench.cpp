// A survey at the table's limit of 900 species: its chart window opened and
// painted, and its report written as a PDF with the charts' page.

#include "charts/charts.h"

#include "analysis/report.h"
#include "data/species_file.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

namespace {

class NoDialogs : public zav::Interaction {
  public:
    std::optional<QString> openFile(const zav::FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const zav::FileDialogRequest&) override { return std::nullopt; }
    void information(const QString&) override {}
    void error(const QString&) override {}
    bool confirm(const QString&, const QString&) override { return false; }
    std::optional<QStringList> nameTreatments(const QStringList&, const QStringList& proposed) override {
        return proposed;
    }
    bool choosePrinter(QPrinter&, const QString&) override { return false; }
    std::optional<zav::SheetChoice> chooseSheet(const zav::SheetChoiceRequest&) override { return std::nullopt; }
    std::optional<int> askNumber(const QString&, const QString&, int, int, int) override { return std::nullopt; }
};

zav::ReportDocument survey900() {
    std::mt19937 rng(42);
    std::string file = "900 60\r\n";
    for (int i = 0; i < 900; ++i)
        file += std::to_string(1 + rng() % (i % 50 == 0 ? 5000 : 120)) + " " + std::to_string(1 + rng() % 60) + "\r\n";
    return zav::reportDocument(zav::runSurvey(file, "/dados/levantamento.txt", {7, 12, 2026, 10, 0, 0, 0}));
}

void BM_OpenChartWindow900Species(benchmark::State& state) {
    const auto document = survey900();
    NoDialogs user;
    for (auto _ : state) {
        const std::unique_ptr<QWidget> window(zav::openChartWindow(user, document, nullptr));
        // Painted as on screen.
        QImage shot = window->grab().toImage();
        benchmark::DoNotOptimize(shot);
    }
}
BENCHMARK(BM_OpenChartWindow900Species)->Unit(benchmark::kMillisecond);

void BM_WriteReportPdf900Species(benchmark::State& state) {
    const auto document = survey900();
    QTemporaryDir dir;
    for (auto _ : state)
        zav::saveReportPdf(document, dir.filePath(QStringLiteral("levantamento.pdf")));
}
BENCHMARK(BM_WriteReportPdf900Species)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
