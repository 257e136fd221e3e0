#include "charts/chart_window.h"

#include "charts/chart_board.h"
#include "charts/chart_images.h"
#include "qtsupport/guarded.h"

#include <QDir>
#include <QFileInfo>
#include <QGraphicsView>
#include <QHBoxLayout>
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

// The charts fill the view. A view smaller than they can be read at (on a
// small screen) shows them laid out at that size, scaled down.
class BoardView : public QGraphicsView {
  public:
    explicit BoardView(ChartBoard& board, QWidget* parent) : QGraphicsView(&board.scene(), parent), board_(board) {
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QGraphicsView::resizeEvent(event);
        const QSizeF shown = viewport()->size();
        const qreal scale =
            std::min({1.0, shown.width() / kReadableCharts.width(), shown.height() / kReadableCharts.height()});
        board_.layOut(shown / scale);
        setTransform(QTransform::fromScale(scale, scale));
    }

  private:
    ChartBoard& board_;
};

} // namespace

ChartWindow::ChartWindow(Interaction& interaction, const ReportDocument& document, QWidget* parent)
    : QWidget(parent, Qt::Window), interaction_(interaction), imageName_(outputBaseName(document)),
      board_(std::make_unique<ChartBoard>(document.result, treatmentNames(document))) {
    setObjectName("ChartWindow");
    setWindowTitle(QStringLiteral("Gráfico - ") + document.name);

    view_ = new BoardView(*board_, this);
    view_->setObjectName("ChartView");
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->setFrameShape(QFrame::NoFrame);

    auto* save = new QPushButton(QStringLiteral("Salvar imagem..."), this);
    save->setObjectName("BtnSalvarImagem");
    connect(save, &QPushButton::clicked, this, &ChartWindow::saveImage);
    auto* close = new QPushButton(QStringLiteral("&Fechar"), this);
    close->setObjectName("BtnFecharGrafico");
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
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
}

ChartWindow::~ChartWindow() = default;

void ChartWindow::saveImage() {
    runGuarded(interaction_, [this] {
        const QString suggested = imageName_ + QStringLiteral(".png");
        const auto chosen =
            interaction_.saveFile({QStringLiteral("Salvar imagem"), QStringLiteral("Imagens (*.png *.svg *.pdf)"),
                                   QStringLiteral("png"), QDir::currentPath(), suggested});
        if (!chosen || chosen->isEmpty()) return;
        saveChartImage(*board_, *chosen, windowTitle());
    });
}

} // namespace zav
