#pragma once
// "Gráfico - <file name>": a window of its own, beside the main window and
// not blocking it, showing the charts of the report's result, with
// "Salvar imagem..." to write them as PNG, SVG or PDF at the screen's size or
// a journal's, and "Salvar este gráfico..." on each chart's context menu.
// Its texts are in the window's language, or in another chosen for a paper
// (a choice remembered between runs). It opens within the screen, in its middle; charts larger than the
// window scroll rather than shrink, so their texts keep the screen's scale.

#include "figures/figure_data.h"
#include "qtsupport/interaction.h"
#include "report/report_document.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QHBoxLayout;
class QGraphicsView;
class QMenu;

namespace zav {

class ChartBoard;

class ChartWindow : public QWidget {
    Q_OBJECT

  public:
    // Titled after the document's name; "Salvar imagem..." proposes its
    // outputBaseName.
    ChartWindow(Interaction& interaction, const ReportDocument& document, QWidget* parent = nullptr);
    ~ChartWindow() override;

    // "Salvar imagem..." (the whole board) or "Salvar este gráfico..." (chart
    // `chart` alone): the save dialog, then the image by the suffix chosen,
    // at the size chosen. Errors are shown through the interaction; the
    // window is in front again after its dialogs.
    void saveImage(int chart = -1);

    // The context menu of the point `viewPoint` of the charts' view: nothing
    // outside a chart.
    std::unique_ptr<QMenu> chartMenu(const QPoint& viewPoint);

  private:
    void addFluctuationChoices(QHBoxLayout* row);
    void showBoard();

    Interaction& interaction_;
    AnyRun run_;        // its treatments named as the user named them
    QString imageName_; // without its extension
    std::unique_ptr<ChartBoard> board_;
    QGraphicsView* view_ = nullptr;
    QComboBox* language_ = nullptr;
    QComboBox* size_ = nullptr;
    // A fluctuation's weather variable and the series set against it; null
    // for other runs and for a survey without weather.
    QComboBox* variable_ = nullptr;
    QComboBox* series_ = nullptr;
};

} // namespace zav
