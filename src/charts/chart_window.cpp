#include "charts/chart_window.h"

#include "charts/chart_board.h"
#include "charts/chart_images.h"
#include "charts/chart_style.h"
#include "qtsupport/guarded.h"
#include "qtsupport/settings.h"

#include <QCheckBox>
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

const QString kEnglishKey = QStringLiteral("graficos/ingles");

// The sizes "Salvar imagem..." offers: the screen's, and the widths and
// resolutions journals ask for.
struct SizeChoice {
    const char* text;
    ImageSize size;
};
constexpr SizeChoice kSizes[] = {
    {"Tamanho da tela", {}},
    {"1 coluna (85 mm), 300 dpi", {style::kColumnMm, 300}},
    {"1 coluna (85 mm), 600 dpi", {style::kColumnMm, 600}},
    {"2 colunas (175 mm), 300 dpi", {style::kPageMm, 300}},
    {"2 colunas (175 mm), 600 dpi", {style::kPageMm, 600}},
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
    : QWidget(parent, Qt::Window), interaction_(interaction), result_(document.result),
      treatments_(treatmentNames(document)), imageName_(outputBaseName(document)) {
    setObjectName("ChartWindow");
    setWindowTitle(QStringLiteral("Gráfico - ") + document.name);

    view_ = new BoardView(this);
    view_->setObjectName("ChartView");
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setFrameShape(QFrame::NoFrame);
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (const auto menu = chartMenu(at)) menu->exec(view_->viewport()->mapToGlobal(at));
    });

    english_ = new QCheckBox(QStringLiteral("Textos em &inglês"), this);
    english_->setObjectName("ChkIngles");
    english_->setToolTip(
        QStringLiteral("Títulos e eixos em inglês, para um artigo em inglês; os relatórios não mudam"));
    english_->setChecked(settings().value(kEnglishKey, false).toBool());
    connect(english_, &QCheckBox::toggled, this, [this](bool on) {
        settings().setValue(kEnglishKey, on);
        showBoard();
    });
    size_ = new QComboBox(this);
    size_->setObjectName("CmbTamanho");
    for (const auto& choice : kSizes)
        size_->addItem(QString::fromUtf8(choice.text));
    auto* sizeLabel = new QLabel(QStringLiteral("&Tamanho:"), this);
    sizeLabel->setBuddy(size_);

    auto* save = new QPushButton(QStringLiteral("&Salvar imagem..."), this);
    save->setObjectName("BtnSalvarImagem");
    connect(save, &QPushButton::clicked, this, [this] { saveImage(); });
    auto* close = new QPushButton(QStringLiteral("&Fechar"), this);
    close->setObjectName("BtnFecharGrafico");
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(english_);
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

void ChartWindow::showBoard() {
    auto board = std::make_unique<ChartBoard>(
        result_, treatments_, english_->isChecked() ? ChartLanguage::English : ChartLanguage::Portuguese);
    static_cast<BoardView*>(view_)->show(*board);
    board_ = std::move(board); // the old scene goes once the view shows the new one
}

std::unique_ptr<QMenu> ChartWindow::chartMenu(const QPoint& viewPoint) {
    const int chart = board_->chartAt(view_->mapToScene(viewPoint));
    if (chart < 0) return nullptr;
    auto menu = std::make_unique<QMenu>(this);
    QAction* save = menu->addAction(QStringLiteral("Salvar este gráfico..."));
    save->setObjectName("MnuSalvarEsteGrafico");
    connect(save, &QAction::triggered, this, [this, chart] { saveImage(chart); });
    return menu;
}

void ChartWindow::saveImage(int chart) {
    runGuarded(interaction_, [this, chart] {
        const QString suggested =
            imageName_ + (chart >= 0 ? QStringLiteral("-%1").arg(chart + 1) : QString()) + QStringLiteral(".png");
        const auto chosen =
            interaction_.saveFile({QStringLiteral("Salvar imagem"), QStringLiteral("Imagens (*.png *.svg *.pdf)"),
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
