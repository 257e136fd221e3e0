#pragma once
// "Similaridade > Comparação": the panel EntraComp that asks for the number
// of treatments (2 to 10) and the index of the dendrogram, then one data
// file per treatment, and the comparison run. It tells the window what
// changes through its signals, as the similarity panel does.

#include "qtsupport/interaction.h"
#include "report/report_document.h"

#include <QObject>

class QComboBox;
class QFrame;
class QLineEdit;
class QWidget;

namespace zav {

class ComparisonPanel : public QObject {
    Q_OBJECT

  public:
    ComparisonPanel(QWidget* client, Interaction& interaction, Clock& clock);

    QFrame* panel() const { return entraComp_; }
    // While a report is shown the run refuses, before each file it asks for.
    void setReportOpen(bool open) { reportOpen_ = open; }

    void MnuComparacaoClick();

  signals:
    void statusChanged(const QString& text);
    void allMenusEnabled(bool enabled);
    void compared(const zav::ReportDocument& document);

  private:
    void btnOkCompClick();
    void btnCancelCompClick();
    void runComparison(int treatments);

    Interaction& interaction_;
    Clock& clock_;
    QFrame* entraComp_ = nullptr;
    QLineEdit* count_ = nullptr;
    QComboBox* index_ = nullptr;
    bool reportOpen_ = false;
    QString lastOpenName_;
};

} // namespace zav
