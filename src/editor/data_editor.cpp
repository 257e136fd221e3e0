#include "editor/data_editor.h"

#include "data/fields.h"
#include "data/file_io.h"
#include "data/species_file.h"
#include "data/species_table.h"
#include "data/spreadsheet_import.h"
#include "editor/grid_keys.h"
#include "qtsupport/atomic_save.h"
#include "qtsupport/guarded.h"
#include "qtsupport/panels.h"
#include "qtsupport/qt_text.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>

#include <optional>
#include <vector>

namespace zav {
namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    return b;
}

} // namespace

DataEditor::DataEditor(QWidget* client, Interaction& interaction) : QObject(client), interaction_(interaction) {
    keys_ = new DigitsOnlyFilter(this);

    entraNo_ = makePanel(client, "EntraNo", {16, 176, 201, 161}, true);
    makeTitleBar(entraNo_, "Panel1", QStringLiteral("Espécies e Coletas"), {8, 8, 185, 25});
    makeLabel(entraNo_, "especiesTxt", QStringLiteral("No. de espécies:"), {4, 48, 106, 20}, Qt::AlignRight);
    nEspecie_ = new QLineEdit(QStringLiteral("1"), entraNo_);
    nEspecie_->setObjectName("nEspecie");
    nEspecie_->setGeometry(128, 48, 57, 21);
    nEspecie_->installEventFilter(keys_);
    makeLabel(entraNo_, "StaticText1", QStringLiteral("No. de coletas:"), {16, 80, 94, 20}, Qt::AlignRight);
    nColeta_ = new QLineEdit(QStringLiteral("1"), entraNo_);
    nColeta_->setObjectName("nColeta");
    nColeta_->setGeometry(128, 80, 57, 21);
    nColeta_->installEventFilter(keys_);
    auto* ok = button(entraNo_, "BtnOkCriar", QStringLiteral("Ok"), {16, 120, 75, 25});
    ok->setDefault(true);
    connectGuardedClick(ok, this, interaction_, &DataEditor::BtnOkCriarClick);
    auto* cancel = button(entraNo_, "BtnCancelCriar", QStringLiteral("Cancelar"), {104, 120, 75, 25});
    connectGuardedClick(cancel, this, interaction_, &DataEditor::BtnCancelCriarClick);
    connect(nEspecie_, &QLineEdit::returnPressed, ok, &QPushButton::click);
    connect(nColeta_, &QLineEdit::returnPressed, ok, &QPushButton::click);
    cancelOnEscape(entraNo_, cancel);

    grpPlan_ = makePanel(client, "GrpPlan", {152, 56, 361, 345}, true);
    panelPlan_ = makeTitleBar(grpPlan_, "PanelPlan", QStringLiteral("DADOS"), {8, 8, 345, 25});
    planilha_ = new QTableWidget(0, 2, grpPlan_);
    planilha_->setObjectName("Planilha");
    planilha_->setGeometry(8, 40, 257, 257);
    planilha_->setHorizontalHeaderLabels({QStringLiteral("No Indiv"), QStringLiteral("No Coleta")});
    planilha_->verticalHeader()->setFixedWidth(43);
    planilha_->verticalHeader()->setDefaultSectionSize(20);
    planilha_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    planilha_->setColumnWidth(0, 85);
    planilha_->setColumnWidth(1, 84);
    planilha_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    planilha_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    planilha_->setShowGrid(true);
    planilha_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    // Editing mode: the current cell opens its editor as soon as it is
    // reached, as in a spreadsheet.
    planilha_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    planilha_->setItemDelegate(new GridCellDelegate(planilha_));
    planilha_->setTabKeyNavigation(false); // Tab leaves the grid for its buttons
    planilha_->installEventFilter(keys_);
    connectGuardedClick(button(grpPlan_, "BtnSalvarPlan", QStringLiteral("Salvar"), {272, 40, 75, 25}), this,
                        interaction_, &DataEditor::BtnSalvarPlanClick);
    connectGuardedClick(button(grpPlan_, "BtnCancelarPlan", QStringLiteral("Cancelar"), {272, 72, 75, 25}), this,
                        interaction_, &DataEditor::BtnCancelarPlanClick);
}

bool DataEditor::gridOpen() const { return !grpPlan_->isHidden(); }

int DataEditor::rowCount() const { return planilha_->rowCount() + 1; }

QString DataEditor::cellText(int column, int row) const {
    if (row == 0) return column == 0 ? QString() : planilha_->horizontalHeaderItem(column - 1)->text();
    if (column == 0) {
        const auto* header = planilha_->verticalHeaderItem(row - 1);
        return header ? header->text() : QString();
    }
    return gridText(row - 1, column - 1);
}

QString DataEditor::gridText(int row, int column) const {
    const auto* item = planilha_->item(row, column);
    return item ? item->text() : QString();
}

void DataEditor::setAllMenus(bool enabled) {
    for (const TopMenu m : kSwitchedMenus)
        emit menuEnabled(m, enabled);
}

void DataEditor::setCaption() {
    panelPlan_->setText(QStringLiteral("DADOS [Especies=") + nEspecie_->text() + QStringLiteral(" | Coletas=") +
                        nColeta_->text() + QStringLiteral("]"));
}

void DataEditor::makeRows(int species) {
    // A new grid starts empty: nothing of an earlier file shows through.
    planilha_->clearContents();
    planilha_->setRowCount(0);
    planilha_->setRowCount(species);
    QStringList numbers;
    for (int r = 1; r <= species; ++r)
        numbers << QString::number(r);
    planilha_->setVerticalHeaderLabels(numbers);
    loaded_ = cells();
}

void DataEditor::fillRows(const std::vector<DataRow>& rows) {
    for (int r = 0; r < std::min(planilha_->rowCount(), static_cast<int>(rows.size())); ++r) {
        const auto& row = rows[static_cast<std::size_t>(r)];
        planilha_->setItem(r, 0, new QTableWidgetItem(fromCp1252(row.individuals)));
        planilha_->setItem(r, 1, new QTableWidgetItem(fromCp1252(row.collections)));
    }
}

QStringList DataEditor::cells() const {
    QStringList texts;
    for (int r = 0; r < planilha_->rowCount(); ++r)
        texts << gridText(r, 0) << gridText(r, 1);
    return texts;
}

bool DataEditor::mayReplaceGrid() {
    return !gridOpen() || cells() == loaded_ || interaction_.confirm(QStringLiteral("Confirma?"));
}

void DataEditor::openEntryPanel(const QString& species, const QString& collections, const QString& status) {
    grpPlan_->hide();
    for (const TopMenu m : {Arquivo, Calcular, Similaridade})
        emit menuEnabled(m, false); // "Ajuda" stays
    nEspecie_->setText(species);
    nColeta_->setText(collections);
    entraNo_->show();
    entraNo_->raise();
    QLineEdit* first = collections.isEmpty() ? nColeta_ : nEspecie_;
    first->setFocus();
    first->selectAll();
    emit statusChanged(status);
}

void DataEditor::MnuNovoClick() {
    if (!mayReplaceGrid()) return;
    imported_.clear();
    dataFileName_ = QStringLiteral("new.txt");
    openEntryPanel(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("Criando um novo arquivo ..."));
}

void DataEditor::MnuImportarClick() {
    const auto chosen =
        interaction_.openFile({QStringLiteral("Importar planilha"), QStringLiteral("Planilhas (*.csv *.tsv *.txt)"),
                               QStringLiteral("csv"), QString(), QString()});
    if (!chosen || chosen->isEmpty()) return;
    // Read and check everything before anything changes.
    const ImportedSpreadsheet data = importSpreadsheetFile(toFileSystemPath(*chosen));
    if (!mayReplaceGrid()) return;
    imported_ = data.rows;
    const QFileInfo spreadsheet(*chosen);
    dataFileName_ = spreadsheet.dir().filePath(spreadsheet.completeBaseName() + QStringLiteral(".txt"));
    QString status = QStringLiteral("Importando a planilha: ") + *chosen;
    if (const auto notice = totalsRowNotice(data); !notice.empty())
        status += QStringLiteral(" (") + QString::fromStdString(notice) + QLatin1Char(')');
    openEntryPanel(fromCp1252(data.speciesCount), QString(), status);
}

void DataEditor::BtnOkCriarClick() {
    auto refuse = [this](const QString& message) {
        interaction_.error(message);
        nEspecie_->setFocus();
    };
    if (isBlank(nEspecie_->text()) || isBlank(nColeta_->text()))
        return refuse(QStringLiteral("Erro: Não deixe campo(s) em branco"));
    const auto species = wholeNumber(nEspecie_->text());
    if (!species) return refuse(QStringLiteral("Erro: valor inválido: ") + nEspecie_->text());
    const auto collections = wholeNumber(nColeta_->text());
    if (!collections) return refuse(QStringLiteral("Erro: valor inválido: ") + nColeta_->text());
    if (*species <= 1 || *collections <= 0) return refuse(QStringLiteral("Erro: Digite mais de uma espécie ou coleta"));
    if (*species > kMaxSpecies) return refuse(QStringLiteral("Erro: Digite no máximo 900 espécies"));

    entraNo_->hide();
    setCaption();
    makeRows(*species);
    fillRows(imported_); // an imported grid counts as changed until saved
    imported_.clear();
    grpPlan_->show();
    grpPlan_->raise();
    planilha_->setCurrentCell(0, 0);
    planilha_->setFocus();
}

void DataEditor::BtnCancelCriarClick() {
    imported_.clear();
    entraNo_->hide();
    setAllMenus(true);
    emit statusChanged(QString());
}

void DataEditor::MnuAbrirClick() {
    const auto chosen = interaction_.openFile(dataFileRequest(QStringLiteral("Editar arquivo")));
    if (!chosen || chosen->isEmpty()) return;
    const QString path = *chosen;
    // Read and check everything before the panels change: a bad file leaves
    // the editor, the menus and the status line as they were.
    const DataFileTexts data = loadDataFileTexts(toFileSystemPath(path));
    if (!mayReplaceGrid()) return;
    entraNo_->hide();

    dataFileName_ = path;
    nEspecie_->setText(fromCp1252(data.speciesCount));
    nColeta_->setText(fromCp1252(data.totalCollections));
    setCaption();
    makeRows(static_cast<int>(data.rows.size()));
    fillRows(data.rows);
    loaded_ = cells();
    emit statusChanged(QStringLiteral("Editando o arquivo: ") + path);
    setAllMenus(false);
    grpPlan_->show();
    grpPlan_->raise();
    planilha_->setCurrentCell(0, 0);
    planilha_->setFocus();
}

void DataEditor::BtnSalvarPlanClick() {
    // What is being typed in a cell counts as typed: leaving the cell
    // commits its editor.
    const QModelIndex current = planilha_->currentIndex();
    planilha_->setCurrentIndex(QModelIndex());
    planilha_->setCurrentIndex(current);

    const auto data = checkedRows();
    if (!data) return;

    const auto chosen = interaction_.saveFile(dataFileRequest(QStringLiteral("Salvar arquivo"), dataFileName_));
    if (!chosen || chosen->isEmpty()) return;
    dataFileName_ = *chosen;
    saveFileAtomically(*chosen, formatSpeciesFile(toCp1252(nEspecie_->text()), toCp1252(nColeta_->text()), *data));
    emit dataFileSaved(*chosen);

    grpPlan_->hide();
    setAllMenus(true);
    emit statusChanged(QStringLiteral("Arquivo de dados gravado em ") + *chosen);
}

namespace {

// A cell the readers take as it is written: a whole number from its first
// character (a space in front would end field 1 before it).
bool readable(const std::string& cell) {
    return !cell.empty() && static_cast<unsigned char>(cell.front()) > ' ' && parseInteger(cell).has_value();
}

} // namespace

std::optional<std::vector<DataRow>> DataEditor::checkedRows() {
    // Every field must be one the readers convert, or the file saved would
    // be refused when it is analysed.
    for (QLineEdit* header : {nEspecie_, nColeta_}) {
        const QString typed = header->text();
        if (isBlank(typed) || !readable(std::string(trimControls(toCp1252(typed))))) {
            interaction_.error(isBlank(typed) ? QStringLiteral("Erro: Não deixe campo(s) em branco")
                                              : QStringLiteral("Erro: valor inválido: ") + typed);
            return std::nullopt;
        }
    }
    const auto species = wholeNumber(nEspecie_->text());
    const int rows = species ? std::min(*species, planilha_->rowCount()) : 0;
    std::vector<DataRow> data;
    for (int r = 0; r < rows; ++r) {
        DataRow row{toCp1252(gridText(r, 0)), toCp1252(gridText(r, 1))};
        // The collections of a species without individuals are never read.
        const bool collectionsRead = parseInteger(row.individuals) != 0;
        for (int column = 0; column < (collectionsRead ? 2 : 1); ++column) {
            if (readable(column == 0 ? row.individuals : row.collections)) continue;
            planilha_->setCurrentCell(r, column);
            planilha_->setFocus();
            planilha_->edit(planilha_->currentIndex());
            const QString text = gridText(r, column);
            const QString line = QStringLiteral("Erro: a linha ") + QString::number(r + 1);
            interaction_.error(isBlank(text) ? line + QStringLiteral(" da planilha tem uma célula vazia")
                                             : line + QStringLiteral(" da planilha tem um valor inválido: ") + text);
            return std::nullopt;
        }
        data.push_back(std::move(row));
    }
    return data;
}

void DataEditor::BtnCancelarPlanClick() {
    if (!interaction_.confirm(QStringLiteral("Confirma?"))) return;
    grpPlan_->hide();
    setAllMenus(true);
    emit statusChanged(QString());
}

} // namespace zav
