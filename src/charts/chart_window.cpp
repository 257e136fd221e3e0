#include "charts/chart_window.h"

#include "charts/chart_board.h"
#include "charts/chart_images.h"
#include "charts/chart_style.h"
#include "qtsupport/guarded.h"
#include "qtsupport/settings.h"
#include "qtsupport/ui_language.h"
#include "qtsupport/ui_text.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace zav {
namespace {

// The size the window opens at where the screen has room, and the smallest
// size of the charts at which their titles, axes and bar labels are whole.
constexpr QSize kPreferredSize(1100, 640);
constexpr QSize kReadableCharts(980, 560);

// The charts' own language, when it is not the window's ("pt", "en", "es");
// before, a choice of English alone.
const QString kLanguageKey = QStringLiteral("graficos/idioma");
const QString kEnglishKey = QStringLiteral("graficos/ingles");

// The charts speak the window's language unless a language of their own was
// chosen here (a Brazilian writing a paper in English).
ChartLanguage rememberedChartLanguage() {
    const auto chosen = reportLanguageFromCode(settings().value(kLanguageKey).toString().toStdString());
    if (chosen) return chartLanguageOf(*chosen);
    if (settings().value(kEnglishKey, false).toBool()) return ChartLanguage::English;
    return chartLanguageOf(interfaceLanguage());
}

// The sizes "Salvar imagem..." offers: the screen's, and the widths and
// resolutions journals ask for.
struct SizeChoice {
    const char* text;
    ImageSize size;
};
constexpr SizeChoice kSizes[] = {
    {QT_TRANSLATE_NOOP("Zav", "Tamanho da tela"), {}},
    {QT_TRANSLATE_NOOP("Zav", "1 coluna (85 mm), 300 dpi"), {style::kColumnMm, 300}},
    {QT_TRANSLATE_NOOP("Zav", "1 coluna (85 mm), 600 dpi"), {style::kColumnMm, 600}},
    {QT_TRANSLATE_NOOP("Zav", "2 colunas (175 mm), 300 dpi"), {style::kPageMm, 300}},
    {QT_TRANSLATE_NOOP("Zav", "2 colunas (175 mm), 600 dpi"), {style::kPageMm, 600}},
};

// The charts fill the view. A view smaller than they can be read at (a small
// screen, or a large scale) shows them at that size, with scroll bars: scaled
// down, their texts would be smaller than the rest of the screen's.
class BoardView : public QGraphicsView {
  public:
    explicit BoardView(QWidget* parent) : QGraphicsView(parent) { setAlignment(Qt::AlignLeft | Qt::AlignTop); }

    void show(ChartBoard& board) {
        board_ = &board;
        setScene(&board.scene());
        layOut();
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QGraphicsView::resizeEvent(event);
        layOut();
    }

  private:
    void layOut() {
        if (board_) board_->layOut(QSizeF(viewport()->size()).expandedTo(kReadableCharts));
    }

    ChartBoard* board_ = nullptr;
};

} // namespace

ChartWindow::ChartWindow(Interaction& interaction, const ReportDocument& document, QWidget* parent)
    : QWidget(parent, Qt::Window), interaction_(interaction), run_(document.run), imageName_(outputBaseName(document)) {
    setObjectName("ChartWindow");
    setWindowTitle(Zav::tr("Gráfico - ") + document.name);

    view_ = new BoardView(this);
    view_->setObjectName("ChartView");
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setFrameShape(QFrame::NoFrame);
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (const auto menu = chartMenu(at)) menu->exec(view_->viewport()->mapToGlobal(at));
    });

    // The languages by their own names, in ChartLanguage's order.
    language_ = new QComboBox(this);
    language_->setObjectName("CmbIdioma");
    language_->addItems({QStringLiteral("Português"), QStringLiteral("English"), QStringLiteral("Español")});
    language_->setToolTip(Zav::tr("Títulos, eixos e legendas nesta língua, para um artigo; os relatórios não mudam"));
    language_->setCurrentIndex(static_cast<int>(rememberedChartLanguage()));
    connect(language_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0) return;
        auto store = settings();
        store.remove(kEnglishKey);
        const auto chosen = static_cast<ChartLanguage>(index);
        if (chosen == chartLanguageOf(interfaceLanguage())) {
            store.remove(kLanguageKey);
        } else {
            const char* const codes[] = {"pt", "en", "es"};
            store.setValue(kLanguageKey, QString::fromLatin1(codes[index]));
        }
        showBoard();
    });
    auto* languageLabel = new QLabel(Zav::tr("&Idioma dos gráficos:"), this);
    languageLabel->setBuddy(language_);
    size_ = new QComboBox(this);
    size_->setObjectName("CmbTamanho");
    for (const auto& choice : kSizes)
        size_->addItem(Zav::tr(choice.text));
    auto* sizeLabel = new QLabel(Zav::tr("&Tamanho:"), this);
    sizeLabel->setBuddy(size_);

    auto* save = new QPushButton(Zav::tr("&Salvar imagem..."), this);
    save->setObjectName("BtnSalvarImagem");
    connect(save, &QPushButton::clicked, this, [this] { saveImage(); });
    auto* close = new QPushButton(Zav::tr("&Fechar"), this);
    close->setObjectName("BtnFecharGrafico");
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(languageLabel);
    buttons->addWidget(language_);
    addFluctuationChoices(buttons);
    buttons->addStretch();
    buttons->addWidget(sizeLabel);
    buttons->addWidget(size_);
    buttons->addWidget(save);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);

    // Within the screen, whatever its size and scale, and in its middle;
    // the frame takes a little more.
    const QRect available = screen()->availableGeometry();
    const QSize room = available.size() * 0.92;
    const QSize size = kPreferredSize.boundedTo(room);
    const QMargins margins = layout->contentsMargins();
    const QSize around(margins.left() + margins.right(),
                       margins.top() + margins.bottom() + layout->spacing() + buttons->sizeHint().height());
    setMinimumSize((kReadableCharts + around).boundedTo(room));
    setGeometry(QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, size, available));
    showBoard();
}

ChartWindow::~ChartWindow() = default;

// The weather variable beside the series over time and in the scatter, and
// the scatter's series: the individuals, the species or one predominant
// species.
void ChartWindow::addFluctuationChoices(QHBoxLayout* row) {
    const auto* run = std::get_if<FluctuationRun>(&run_);
    if (!run || run->result.variables.empty()) return;
    const auto& result = run->result;
    variable_ = new QComboBox(this);
    variable_->setObjectName("CmbClima");
    for (const auto& name : result.variables)
        variable_->addItem(QString::fromStdString(name));
    series_ = new QComboBox(this);
    series_->setObjectName("CmbSerie");
    series_->addItem(Zav::tr("Indivíduos"), QStringLiteral("individuos"));
    series_->addItem(Zav::tr("Espécies"), QStringLiteral("especies"));
    for (std::size_t i = 0; i < result.predominant.size(); ++i) {
        const auto number = std::to_string(result.predominant[i]);
        const QString name = result.predominantNames[i].empty() ? Zav::tr("Espécie ") + QString::fromStdString(number)
                                                                : QString::fromStdString(result.predominantNames[i]);
        series_->addItem(name, QString::fromStdString("especie " + number));
    }
    for (auto* box : {variable_, series_})
        connect(box, &QComboBox::currentIndexChanged, this, [this] { showBoard(); });
    auto* variableLabel = new QLabel(Zav::tr("&Clima:"), this);
    variableLabel->setBuddy(variable_);
    auto* seriesLabel = new QLabel(Zav::tr("Sé&rie:"), this);
    seriesLabel->setBuddy(series_);
    row->addWidget(variableLabel);
    row->addWidget(variable_);
    row->addWidget(seriesLabel);
    row->addWidget(series_);
}

void ChartWindow::showBoard() {
    FluctuationFigureOptions fluctuation;
    if (variable_) {
        fluctuation.variable = static_cast<std::size_t>(std::max(0, variable_->currentIndex()));
        fluctuation.series = series_->currentData().toString().toStdString();
    }
    auto board = std::make_unique<ChartBoard>(
        runFigures(run_, static_cast<ChartLanguage>(std::max(0, language_->currentIndex())), fluctuation));
    static_cast<BoardView*>(view_)->show(*board);
    board_ = std::move(board); // the old scene goes once the view shows the new one
}

std::unique_ptr<QMenu> ChartWindow::chartMenu(const QPoint& viewPoint) {
    const int chart = board_->chartAt(view_->mapToScene(viewPoint));
    if (chart < 0) return nullptr;
    auto menu = std::make_unique<QMenu>(this);
    QAction* save = menu->addAction(Zav::tr("Salvar este gráfico..."));
    save->setObjectName("MnuSalvarEsteGrafico");
    connect(save, &QAction::triggered, this, [this, chart] { saveImage(chart); });
    return menu;
}

void ChartWindow::saveImage(int chart) {
    runGuarded(interaction_, [this, chart] {
        const QString suggested =
            imageName_ + (chart >= 0 ? QStringLiteral("-%1").arg(chart + 1) : QString()) + QStringLiteral(".png");
        const auto chosen = interaction_.saveFile({Zav::tr("Salvar imagem"), Zav::tr("Imagens (*.png *.svg *.pdf)"),
                                                   QStringLiteral("png"), QDir::currentPath(), suggested});
        if (!chosen || chosen->isEmpty()) return;
        const auto& choice = kSizes[std::clamp(size_->currentIndex(), 0, static_cast<int>(std::size(kSizes)) - 1)];
        saveChartImage(*board_, *chosen, windowTitle(), choice.size, chart);
    });
    // A dialog over another window leaves that one in front when it closes.
    raise();
    activateWindow();
}

} // namespace zav
