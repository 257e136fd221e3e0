// The grid's "Por coleta" view opening a survey of two years of weekly
// collections: 900 species by 104 collections with 5 weather variables,
// loaded and painted as on screen. The goal is under 1 s.

#include "editor/collection_grid.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <random>

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

void BM_OpenPorColeta900x104(benchmark::State& state) {
    std::mt19937 rng(42);
    zav::CollectionBlocks blocks;
    QStringList names;
    for (int i = 0; i < 900; ++i)
        names << QStringLiteral("Espécie %1").arg(i + 1);
    for (int k = 0; k < 104; ++k) {
        zav::Collection collection{zav::CalendarDate{2023 + k / 52, 1 + (k % 52) / 5, 1 + (k % 5) * 6}, {}};
        for (int i = 0; i < 900; ++i)
            collection.counts.push_back(static_cast<std::int32_t>(rng() % 4 == 0 ? rng() % 40 : 0));
        blocks.collections.push_back(std::move(collection));
    }
    zav::WeatherTable weather{{"temperatura", "umidade", "chuva", "vento", "insolacao"}, {}};
    for (int k = 0; k < 104; ++k)
        weather.values.push_back({20.5 + k % 7, 80.0, k % 3 == 0 ? std::optional<double>() : 12.25, 3.0, 7.5});
    blocks.weather = weather;
    NoDialogs user;
    for (auto _ : state) {
        zav::CollectionGrid grid(nullptr, user);
        grid.resize(1200, 800);
        grid.load(names, blocks, 0);
        QImage shot = grid.grab().toImage();
        benchmark::DoNotOptimize(shot);
    }
}
BENCHMARK(BM_OpenPorColeta900x104)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
