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
#include <QVBoxLayout>

namespace zav {
namespace {

// The charts fill the view whatever its size.
class BoardView : public QGraphicsView {
  public:
    explicit BoardView(ChartBoard& board, QWidget* parent) : QGraphicsView(&board.scene(), parent), board_(board) {}

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QGraphicsView::resizeEvent(event);
        board_.layOut(viewport()->size());
    }

  private:
    ChartBoard& board_;
};

} // namespace

ChartWindow::ChartWindow(Interaction& interaction, const ReportResult& result, const QString& fileName, QWidget* parent)
    : QWidget(parent, Qt::Window), interaction_(interaction), fileName_(fileName),
      board_(std::make_unique<ChartBoard>(result)) {
    setObjectName("ChartWindow");
    setWindowTitle(QStringLiteral("Gráfico - ") + fileName);

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

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);
    resize(1100, 640);
}

ChartWindow::~ChartWindow() = default;

void ChartWindow::saveImage() {
    runGuarded(interaction_, [this] {
        const QString suggested = QFileInfo(fileName_).completeBaseName() + QStringLiteral(".png");
        const auto chosen =
            interaction_.saveFile({QStringLiteral("Salvar imagem"), QStringLiteral("Imagens (*.png *.svg *.pdf)"),
                                   QStringLiteral("png"), QDir::currentPath(), suggested});
        if (!chosen || chosen->isEmpty()) return;
        saveChartImage(*board_, *chosen, windowTitle());
    });
}

} // namespace zav
