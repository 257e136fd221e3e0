#pragma once
// "Similaridade": the panel EntraCol that asks for the number of
// treatments, then one data file per treatment, and the run that compares
// them. It tells the window what changes through its signals.

#include "data/date_time.h"
#include "report/report_document.h"
#include "qtsupport/interaction.h"
#include "similarity/similarity.h"

#include <QObject>
#include <QStringList>

class QFrame;
class QLineEdit;
class QWidget;

namespace zav {

class SimilarityPanel : public QObject {
    Q_OBJECT

  public:
    SimilarityPanel(QWidget* client, Interaction& interaction, Clock& clock);

    QFrame* panel() const { return entraCol_; }
    // While a report is shown the run refuses, before each file it asks for.
    void setReportOpen(bool open) { reportOpen_ = open; }

    void MnuSimilarClick();

  signals:
    void statusChanged(const QString& text);
    void allMenusEnabled(bool enabled);
    // The report of the treatments' files, in the order chosen.
    void compared(const zav::ReportDocument& document);

  private:
    void btnOkRepClick();
    void BtnCancelRepClick();
    void runSimilarity(int treatments);

    Interaction& interaction_;
    Clock& clock_;
    QFrame* entraCol_ = nullptr;
    QLineEdit* nRepet_ = nullptr;
    bool reportOpen_ = false;
    QString lastOpenName_;
};

} // namespace zav
