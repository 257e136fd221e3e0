#pragma once
// "Gráfico - <file name>": a window of its own, beside the main window and
// not blocking it, showing the charts of the report's result, with
// "Salvar imagem..." to write them as PNG, SVG or PDF. It opens within the
// screen, in its middle, and shrinks no smaller than the charts can be read
// at unless the screen itself is smaller.

#include "report/report_document.h"
#include "qtsupport/interaction.h"

#include <QWidget>

#include <memory>

class QGraphicsView;

namespace zav {

class ChartBoard;

class ChartWindow : public QWidget {
    Q_OBJECT

  public:
    // Titled after the document's name; "Salvar imagem..." proposes its
    // outputBaseName.
    ChartWindow(Interaction& interaction, const ReportDocument& document, QWidget* parent = nullptr);
    ~ChartWindow() override;

    // "Salvar imagem...": the save dialog, then the image by the suffix
    // chosen. Errors are shown through the interaction.
    void saveImage();

  private:
    Interaction& interaction_;
    QString imageName_; // without its extension
    std::unique_ptr<ChartBoard> board_;
    QGraphicsView* view_ = nullptr;
};

} // namespace zav
