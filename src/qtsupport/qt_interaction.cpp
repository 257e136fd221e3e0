#include "qtsupport/qt_interaction.h"

#include "qtsupport/ui_text.h"
#include "runs/run_kinds.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSortFilterProxyModel>

namespace zav {
namespace {

// A save dialog that refuses a path before Qt asks whether to replace it,
// and stays open for another name.
class CheckedFileDialog : public QFileDialog {
  public:
    CheckedFileDialog(QWidget* parent, const FileDialogRequest& request)
        : QFileDialog(parent, request.title, request.directory, request.filter), refuse_(request.refuse) {}

  protected:
    void accept() override {
        const QStringList files = selectedFiles();
        if (refuse_ && !files.isEmpty() && !QFileInfo(files.first()).isDir()) {
            const QString reason = refuse_(QDir::toNativeSeparators(files.first()));
            if (!reason.isEmpty()) {
                QMessageBox::critical(this, QApplication::applicationName(), reason);
                return;
            }
        }
        QFileDialog::accept();
    }

  private:
    std::function<QString(const QString&)> refuse_;
};

// Leaves out the names matching any pattern while the dialog's first filter
// is chosen; folders always show.
class HiddenNames : public QSortFilterProxyModel {
  public:
    HiddenNames(QFileDialog& dialog, const QStringList& patterns) : QSortFilterProxyModel(&dialog), dialog_(dialog) {
        for (const QString& p : patterns)
            hidden_ << QRegularExpression::fromWildcard(p, Qt::CaseInsensitive);
        first_ = dialog.nameFilters().value(0);
    }
    void refresh() { invalidateFilter(); }

  protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        if (dialog_.selectedNameFilter() != first_) return true;
        const QModelIndex index = sourceModel()->index(row, 0, parent);
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files && files->isDir(index)) return true;
        const QString name = index.data().toString();
        return std::none_of(hidden_.begin(), hidden_.end(),
                            [&](const QRegularExpression& re) { return re.match(name).hasMatch(); });
    }

  private:
    QFileDialog& dialog_;
    QString first_;
    QList<QRegularExpression> hidden_;
};

std::optional<QString> runFileDialog(QWidget* parent, const FileDialogRequest& r, QFileDialog::AcceptMode mode) {
    CheckedFileDialog dialog(parent, r);
    // The checks and the hidden names work in Qt's own dialog only.
    if (r.refuse || !r.hiddenUnderFirstFilter.isEmpty()) dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setDefaultSuffix(r.defaultSuffix);
    // The typed file need not exist when opening: the run says so itself.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!r.hiddenUnderFirstFilter.isEmpty()) {
        auto* names = new HiddenNames(dialog, r.hiddenUnderFirstFilter);
        dialog.setProxyModel(names);
        QObject::connect(&dialog, &QFileDialog::filterSelected, names, &HiddenNames::refresh);
    }
    if (!r.fileName.isEmpty()) dialog.selectFile(r.fileName);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const auto files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(files.first());
}

} // namespace

QWidget* QtInteraction::dialogParent() const {
    QWidget* active = QApplication::activeWindow();
    return active ? active : parent_;
}

std::optional<QString> QtInteraction::openFile(const FileDialogRequest& request) {
    return runFileDialog(dialogParent(), request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtInteraction::saveFile(const FileDialogRequest& request) {
    return runFileDialog(dialogParent(), request, QFileDialog::AcceptSave);
}

void QtInteraction::information(const QString& text) {
    QMessageBox::information(dialogParent(), QApplication::applicationName(), text);
}

void QtInteraction::error(const QString& text) {
    QMessageBox::critical(dialogParent(), QApplication::applicationName(), text);
}

bool QtInteraction::confirm(const QString& text, const QString& action) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), text, QMessageBox::NoButton,
                    dialogParent());
    box.setObjectName("Confirmacao");
    QPushButton* act = box.addButton(action, QMessageBox::AcceptRole);
    act->setObjectName("BtnConfirmar");
    QPushButton* cancel = box.addButton(Zav::tr("Cancelar"), QMessageBox::RejectRole);
    cancel->setObjectName("BtnCancelar");
    // The safe answer is the one a stray Enter gives, and the box says so.
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.setInformativeText(Zav::tr("Enter: Cancelar (nada muda)."));
    box.exec();
    return box.clickedButton() == act;
}

bool QtInteraction::choosePrinter(QPrinter& printer, const QString& pdfFile) {
    QPrintDialog dialog(&printer, dialogParent());
    // Qt proposes the home folder for a PDF "printer": the report's own
    // folder is where the researcher looks for it.
    if (auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename")); file && !pdfFile.isEmpty())
        file->setText(QDir::toNativeSeparators(pdfFile));
    return dialog.exec() == QDialog::Accepted;
}

std::optional<int> QtInteraction::askNumber(const QString& title, const QString& label, int value, int minimum,
                                            int maximum) {
    bool ok = false;
    const int number = QInputDialog::getInt(dialogParent(), title, label, value, minimum, maximum, 1, &ok);
    if (!ok) return std::nullopt;
    return number;
}

std::optional<QStringList> QtInteraction::nameTreatments(const QStringList& files, const QStringList& proposed) {
    QDialog dialog(dialogParent());
    dialog.setObjectName("NomesTratamentos");
    dialog.setWindowTitle(Zav::tr("Nomes dos tratamentos"));
    auto* form = new QFormLayout(&dialog);
    form->addRow(new QLabel(Zav::tr("Os nomes vão na chave, no relatório e nos gráficos:"), &dialog));
    QList<QLineEdit*> fields;
    for (qsizetype t = 0; t < proposed.size(); ++t) {
        auto* field = new QLineEdit(proposed[t], &dialog);
        field->setObjectName(QStringLiteral("NomeT%1").arg(t + 1));
        field->setToolTip(files.value(t));
        form->addRow(QStringLiteral("T%1 (%2):").arg(t + 1).arg(QFileInfo(files.value(t)).fileName()), field);
        fields << field;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(Zav::tr("Calcular"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Zav::tr("Cancelar"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    QStringList names;
    for (qsizetype t = 0; t < fields.size(); ++t) {
        const QString typed = fields[t]->text().simplified();
        names << (typed.isEmpty() ? proposed[t] : typed); // a blank name keeps the file's
    }
    return names;
}

std::optional<SheetChoice> QtInteraction::chooseSheet(const SheetChoiceRequest& request) {
    QDialog dialog(dialogParent());
    dialog.setObjectName("EscolhaPlanilha");
    dialog.setWindowTitle(Zav::tr("Importar planilha"));
    auto* form = new QFormLayout(&dialog);
    form->addRow(Zav::tr("Arquivo:"), new QLabel(QFileInfo(request.file).fileName(), &dialog));
    QComboBox* sheets = nullptr;
    // A choice only where there is one to make.
    if (request.sheets.size() > 1) {
        sheets = new QComboBox(&dialog);
        sheets->setObjectName("CmbPlanilha");
        sheets->addItems(request.sheets);
        form->addRow(Zav::tr("&Planilha:"), sheets);
    }
    auto* perCollection = new QCheckBox(Zav::tr("&Uma coluna por coleta (espécies × coletas)"), &dialog);
    perCollection->setObjectName("ChkPorColeta");
    perCollection->setChecked(request.perCollection);
    perCollection->setToolTip(Zav::tr("Cada linha é uma espécie e cada coluna uma coleta: os indivíduos são a "
                                      "soma da linha, as coletas as células diferentes de zero."));
    form->addRow(perCollection);
    auto* records = new QCheckBox(Zav::tr("Um &registro por linha (data, espécie, indivíduos)"), &dialog);
    records->setObjectName("ChkRegistros");
    records->setToolTip(Zav::tr("Como um banco de dados de campo exporta: cada data é uma coleta, cada nome "
                                "uma espécie; os registros de uma espécie numa data são somados."));
    form->addRow(records);
    // One layout or the other.
    QObject::connect(records, &QCheckBox::toggled, perCollection, [perCollection](bool on) {
        if (on) perCollection->setChecked(false);
    });
    QObject::connect(perCollection, &QCheckBox::toggled, records, [records](bool on) {
        if (on) records->setChecked(false);
    });
    // Each sheet proposes its own layout; the box stays the user's to change.
    if (sheets && request.proposeFor)
        QObject::connect(sheets, &QComboBox::currentIndexChanged, perCollection, [&request, perCollection](int index) {
            if (const auto proposed = request.proposeFor(index)) perCollection->setChecked(*proposed);
        });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return SheetChoice{sheets ? sheets->currentIndex() : 0, perCollection->isChecked(), records->isChecked()};
}

QStringList reportNamePatterns() {
    QStringList patterns;
    for (const auto& kind : runKinds())
        patterns << QStringLiteral("*") + QString::fromUtf8(kind.reportSuffix) + QStringLiteral(".txt");
    return patterns;
}

} // namespace zav
