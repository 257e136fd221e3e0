#pragma once
// "Similaridade": the panel EntraCol that asks for the number of
// treatments, then one data file per treatment, and the run that compares
// them. It tells the window what changes through its signals.

#include "data/date_time.h"
#include "qtsupport/interaction.h"
#include "report/report_document.h"
#include "similarity/similarity.h"

#include <QObject>
#include <QStringList>

#include <functional>

class QFrame;
class QLineEdit;
class QWidget;

namespace zav {

class SimilarityPanel : public QObject {
    Q_OBJECT

  public:
    SimilarityPanel(QWidget* client, Interaction& interaction, Clock& clock);

    QFrame* panel() const { return entraCol_; }
    // Whether the run may take the place of the report shown (the window
    // asks when it holds unsaved typing); asked before the first file.
    void setMayReplaceReport(std::function<bool()> mayReplace) { mayReplaceReport_ = std::move(mayReplace); }

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
    std::function<bool()> mayReplaceReport_ = [] { return true; };
    QString lastOpenName_;
};

} // namespace zav
