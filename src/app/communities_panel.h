#pragma once
// "Similaridade > Comunidades": the panel EntraComun that asks for the
// number of treatments (2 to 10), the dissimilarity between collections and
// the number of permutations, then one data file per treatment (each with
// its collections), and the communities' run. It tells the window what
// changes through its signals, as the comparison panel does.

#include "qtsupport/interaction.h"
#include "report/report_document.h"

#include <QObject>

#include <functional>

class QComboBox;
class QFrame;
class QLineEdit;
class QSpinBox;
class QWidget;

namespace zav {

class CommunitiesPanel : public QObject {
    Q_OBJECT

  public:
    CommunitiesPanel(QWidget* client, Interaction& interaction, Clock& clock);

    QFrame* panel() const { return entraComun_; }
    // Whether the run may take the place of the report shown; asked before
    // the first file.
    void setMayReplaceReport(std::function<bool()> mayReplace) { mayReplaceReport_ = std::move(mayReplace); }

    void MnuComunidadesClick();

  signals:
    void statusChanged(const QString& text);
    void allMenusEnabled(bool enabled);
    void compared(const zav::ReportDocument& document);

  private:
    void btnOkComunClick();
    void btnCancelComunClick();
    void runCommunities(int treatments);

    Interaction& interaction_;
    Clock& clock_;
    QFrame* entraComun_ = nullptr;
    QLineEdit* count_ = nullptr;
    QComboBox* index_ = nullptr;
    QSpinBox* permutations_ = nullptr;
    std::function<bool()> mayReplaceReport_ = [] { return true; };
    QString lastOpenName_;
};

} // namespace zav
