#pragma once
// "Similaridade > Comparação": the panel EntraComp that asks for the number
// of treatments (2 to 10) and the index of the dendrogram, then one data
// file per treatment, and the comparison run. It tells the window what
// changes through its signals, as the similarity panel does.

#include "qtsupport/interaction.h"
#include "report/report_document.h"

#include <QObject>

#include <functional>

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
    // Whether the run may take the place of the report shown (the window
    // asks when it holds unsaved typing); asked before the first file.
    void setMayReplaceReport(std::function<bool()> mayReplace) { mayReplaceReport_ = std::move(mayReplace); }

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
    std::function<bool()> mayReplaceReport_ = [] { return true; };
    QString lastOpenName_;
};

} // namespace zav
