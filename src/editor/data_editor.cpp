#include "editor/data_editor.h"

#include "data/fields.h"
#include "data/file_io.h"
#include "data/species_file.h"
#include "data/species_table.h"
#include "data/spreadsheet_import.h"
#include "editor/grid_keys.h"
#include "editor/species_grid.h"
#include "qtsupport/atomic_save.h"
#include "qtsupport/guarded.h"
#include "qtsupport/panels.h"
#include "qtsupport/qt_text.h"
#include "sheets/workbook.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>

#include <map>
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

// The grid's panel at its smallest: three columns and the buttons beside.
constexpr QSize kGridPanelMinimum(361, 345);
constexpr int kButtonWidth = 75;

} // namespace

DataEditor::DataEditor(QWidget* client, Interaction& interaction) : QObject(client), interaction_(interaction) {
    keys_ = new DigitsOnlyFilter(this);
    connect(keys_, &DigitsOnlyFilter::refused, this, &DataEditor::notice);
    connect(keys_, &DigitsOnlyFilter::cancelRequested, this, &DataEditor::cancelGrid);

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

    grpPlan_ = makePanel(client, "GrpPlan", {152, 56, kGridPanelMinimum.width(), kGridPanelMinimum.height()}, true);
    panelPlan_ = makeTitleBar(grpPlan_, "PanelPlan", QStringLiteral("DADOS"), {8, 8, 345, 25});
    planilha_ = new QTableWidget(0, kGridColumns, grpPlan_);
    planilha_->setObjectName("Planilha");
    planilha_->setHorizontalHeaderLabels(
        {QStringLiteral("No Indiv"), QStringLiteral("No Coleta"), QStringLiteral("Nome")});
    planilha_->verticalHeader()->setMinimumWidth(43);
    planilha_->verticalHeader()->setDefaultSectionSize(20);
    planilha_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    planilha_->setColumnWidth(kIndividualsColumn, 85);
    planilha_->setColumnWidth(kCollectionsColumn, 84);
    // The name takes the room the window gives.
    planilha_->horizontalHeader()->setStretchLastSection(true);
    planilha_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    planilha_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    planilha_->setShowGrid(true);
    planilha_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    // Editing mode: the current cell opens its editor as soon as it is
    // reached, as in a spreadsheet, its text selected so typing replaces it.
    planilha_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    auto* cells = new GridCellDelegate(planilha_);
    connect(cells, &GridCellDelegate::refused, this, &DataEditor::notice);
    connect(cells, &GridCellDelegate::cancelRequested, this, &DataEditor::cancelGrid);
    planilha_->setItemDelegate(cells);
    planilha_->setTabKeyNavigation(false); // Tab leaves the grid for its buttons
    planilha_->installEventFilter(keys_);

    auto* salvar = button(grpPlan_, "BtnSalvarPlan", QStringLiteral("Salvar"), {272, 40, kButtonWidth, 25});
    connectGuardedClick(salvar, this, interaction_, &DataEditor::BtnSalvarPlanClick);
    auto* cancelar = button(grpPlan_, "BtnCancelarPlan", QStringLiteral("Cancelar"), {272, 72, kButtonWidth, 25});
    connectGuardedClick(cancelar, this, interaction_, &DataEditor::BtnCancelarPlanClick);
    // The header, editable while the grid is open.
    auto field = [this](const char* name, const QString& tip) {
        auto* f = new QLineEdit(grpPlan_);
        f->setObjectName(name);
        f->setToolTip(tip);
        f->installEventFilter(keys_);
        return f;
    };
    auto* speciesLabel = makeLabel(grpPlan_, "EspeciesPlanTxt", QStringLiteral("Espécies:"), {}, Qt::AlignLeft);
    speciesField_ = field("EspeciesPlan", QStringLiteral("Número de espécies (linhas): Enter acrescenta ou remove "
                                                         "linhas no fim"));
    auto* collectionsLabel = makeLabel(grpPlan_, "ColetasPlanTxt", QStringLiteral("Coletas:"), {}, Qt::AlignLeft);
    collectionsField_ = field("ColetasPlan", QStringLiteral("Total de coletas do levantamento"));
    buttonColumn_ = {salvar, cancelar, speciesLabel, speciesField_, collectionsLabel, collectionsField_};
    QWidget* tabOrder[] = {planilha_, salvar, cancelar, speciesField_, collectionsField_};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    // Escape from anywhere in the panel; the cells and fields take theirs
    // through the key filters.
    auto* escape =
        new QShortcut(QKeySequence(Qt::Key_Escape), grpPlan_, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &DataEditor::cancelGrid);

    grid_ = new SpeciesGrid(planilha_, speciesField_, collectionsField_, interaction_);
    connect(grid_, &SpeciesGrid::notice, this, &DataEditor::notice);
    connect(grid_, &SpeciesGrid::headerChanged, this, &DataEditor::setCaption);
    layOut(grpPlan_->geometry());
}

void DataEditor::layOut(const QRect& area) {
    const QSize size = area.size().expandedTo(kGridPanelMinimum);
    grpPlan_->setGeometry(QRect(area.topLeft(), size));
    panelPlan_->setGeometry(8, 8, size.width() - 16, 25);
    const int buttonsLeft = size.width() - 14 - kButtonWidth;
    planilha_->setGeometry(8, 40, buttonsLeft - 15, size.height() - 48);
    // Buttons, then each header field under its label.
    const int tops[] = {40, 72, 112, 130, 160, 178};
    for (qsizetype i = 0; i < buttonColumn_.size(); ++i)
        buttonColumn_[i]->setGeometry(buttonsLeft, tops[i], kButtonWidth, i < 2 ? 25 : (i % 2 ? 21 : 18));
}

bool DataEditor::gridOpen() const { return !grpPlan_->isHidden(); }

int DataEditor::rowCount() const { return grid_->rows() + 1; }

QString DataEditor::cellText(int column, int row) const {
    if (row == 0) return column == 0 ? QString() : planilha_->horizontalHeaderItem(column - 1)->text();
    if (column == 0) {
        const auto* header = planilha_->verticalHeaderItem(row - 1);
        return header ? header->text() : QString();
    }
    return grid_->text(row - 1, column - 1);
}

void DataEditor::setAllMenus(bool enabled) {
    for (const TopMenu m : kSwitchedMenus)
        emit menuEnabled(m, enabled);
}

void DataEditor::setCaption() {
    panelPlan_->setText(QStringLiteral("DADOS [Especies=") + speciesField_->text() + QStringLiteral(" | Coletas=") +
                        collectionsField_->text() + QStringLiteral("]"));
}

bool DataEditor::mayReplaceGrid() {
    return !gridOpen() || !grid_->changed() ||
           interaction_.confirm(QStringLiteral("Descartar as alterações da planilha?"), QStringLiteral("Descartar"));
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

void DataEditor::openGrid(const QString& species, const QString& collections, int rows,
                          const std::vector<DataRow>& data, bool loaded) {
    entraNo_->hide();
    grid_->reset(species, collections, rows, data, loaded);
    grpPlan_->show();
    grpPlan_->raise();
    planilha_->clearSelection();
    planilha_->setCurrentCell(0, 0);
    planilha_->setFocus();
}

void DataEditor::MnuNovoClick() {
    if (!mayReplaceGrid()) return;
    imported_.clear();
    encoding_ = TextEncoding::Windows1252;
    unreadNames_.clear();
    blocks_.clear();
    dataFileName_ = QStringLiteral("new.txt");
    openEntryPanel(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("Criando um novo arquivo ..."));
}

namespace {

// The data file an import proposes: beside the spreadsheet, named after it,
// or, for a sheet of a workbook of several, after both
// ("Levantamento.xlsx", sheet "Mata": "levantamento-mata.txt").
QString importedDataFileName(const QString& spreadsheet, const QStringList& sheets, qsizetype sheet) {
    const QFileInfo file(spreadsheet);
    if (sheets.size() <= 1) return file.dir().filePath(file.completeBaseName() + QStringLiteral(".txt"));
    // Letters and digits without accents, in lower case, the rest a hyphen.
    const QString decomposed = (file.completeBaseName() + QLatin1Char('-') + sheets.value(sheet))
                                   .normalized(QString::NormalizationForm_KD)
                                   .toLower();
    QString name;
    for (const QChar c : decomposed) {
        if (c.isMark()) continue;
        if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'))
            name += c;
        else if (!name.isEmpty() && !name.endsWith(QLatin1Char('-')))
            name += QLatin1Char('-');
    }
    while (name.endsWith(QLatin1Char('-')))
        name.chop(1);
    if (name.isEmpty()) name = QStringLiteral("planilha");
    return file.dir().filePath(name + QStringLiteral(".txt"));
}

} // namespace

void DataEditor::MnuImportarClick() {
    const auto chosen =
        interaction_.openFile({QStringLiteral("Importar planilha"),
                               QStringLiteral("Planilhas (*.csv *.tsv *.txt *.xlsx *.ods);;Todos os arquivos (*)"),
                               QStringLiteral("csv"), QString(), QString()});
    if (!chosen || chosen->isEmpty()) return;
    const auto file = toFileSystemPath(*chosen);
    SheetChoiceRequest request{*chosen, {}, perCollection_};
    // The sheets read for their proposal, kept for the import.
    std::map<qsizetype, std::vector<SheetRow>> read;
    const bool workbook = isWorkbookFile(file);
    if (workbook) {
        for (const auto& name : workbookSheetNames(file))
            request.sheets << QString::fromStdString(name);
        request.proposeFor = [&](qsizetype sheet) -> std::optional<bool> {
            try {
                auto rows = read.find(sheet);
                if (rows == read.end())
                    rows =
                        read.emplace(sheet, readWorkbookSheet(file, request.sheets.value(sheet).toStdString())).first;
                return suggestedPerCollection(rows->second);
            } catch (const Error&) {
                return std::nullopt; // the import says what is wrong
            }
        };
    }
    // The layout the first rows show, else the last one chosen.
    const auto proposed = workbook ? request.proposeFor(0) : suggestedPerCollectionFile(file);
    request.perCollection = proposed.value_or(perCollection_);
    const auto choice = interaction_.chooseSheet(request);
    if (!choice) return;
    perCollection_ = choice->perCollection;
    const std::string sheet = request.sheets.value(choice->sheet).toStdString();
    // Read and check everything before anything changes.
    const ImportOptions options{choice->perCollection};
    ImportedFile data;
    if (const auto rows = read.find(choice->sheet); rows != read.end()) {
        // The sheet read for its proposal, by name: no notice of the sheet taken.
        static_cast<ImportedSpreadsheet&>(data) = importSheetRows(rows->second, options);
        if (auto notice = unmappableNamesNotice(data); !notice.empty()) data.notices.push_back(std::move(notice));
    } else {
        data = importAnySpreadsheetFile(file, options, sheet);
    }
    if (!mayReplaceGrid()) return;
    imported_ = data.rows;
    encoding_ = TextEncoding::Windows1252;
    unreadNames_.clear();
    blocks_.clear();
    dataFileName_ = importedDataFileName(*chosen, request.sheets, choice->sheet);
    QString status = QStringLiteral("Importando a planilha: ") + *chosen;
    if (request.sheets.size() > 1)
        status += QStringLiteral(" [") + request.sheets.value(choice->sheet) + QLatin1Char(']');
    if (const auto notice = totalsRowNotice(data); !notice.empty())
        status += QStringLiteral(" (") + QString::fromStdString(notice) + QLatin1Char(')');
    for (const auto& notice : data.notices)
        status += QStringLiteral(" (") + QString::fromStdString(notice) + QLatin1Char(')');
    openEntryPanel(fromCp1252(data.speciesCount), fromCp1252(data.totalCollections), status);
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

    // An imported grid counts as changed until saved.
    openGrid(nEspecie_->text(), nColeta_->text(), *species, imported_, imported_.empty());
    imported_.clear();
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

    dataFileName_ = path;
    encoding_ = data.encoding;
    blocks_ = data.blocks;
    unreadNames_ = data.namesWhole ? std::vector<std::string>() : data.warnings;
    openGrid(fromCp1252(data.speciesCount), fromCp1252(data.totalCollections), static_cast<int>(data.rows.size()),
             data.rows, true);
    QString status = QStringLiteral("Editando o arquivo: ") + path;
    for (const auto& warning : data.warnings)
        status += QStringLiteral(" - ") + QString::fromStdString(warning);
    emit statusChanged(status);
    setAllMenus(false);
}

void DataEditor::BtnSalvarPlanClick() {
    grid_->commitEditor();
    const auto data = checkedRows();
    if (!data) return;
    // Never a names block dropped without asking: the grid holds only the
    // names the file let it read.
    if (!unreadNames_.empty()) {
        QString unread;
        for (const auto& warning : unreadNames_)
            unread += QString::fromStdString(warning) + QLatin1Char('\n');
        if (!interaction_.confirm(
                QStringLiteral("Nem todos os nomes das espécies puderam ser lidos:\n") + unread +
                    QStringLiteral("Salvar grava só os nomes que a planilha mostra; os outros se perdem. "
                                   "Salvar assim mesmo?"),
                QStringLiteral("Salvar sem esses nomes")))
            return;
    }

    const auto chosen = interaction_.saveFile(dataFileRequest(QStringLiteral("Salvar arquivo"), dataFileName_));
    if (!chosen || chosen->isEmpty()) return;
    dataFileName_ = *chosen;
    saveFileAtomically(*chosen, formatSpeciesFile(toCp1252(speciesField_->text()), toCp1252(collectionsField_->text()),
                                                  *data, encoding_, blocks_));
    unreadNames_.clear();
    grid_->markSaved();
    emit dataFileSaved(*chosen);

    closeGrid();
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
    for (QLineEdit* header : {speciesField_, collectionsField_}) {
        const QString typed = header->text();
        if (isBlank(typed) || !readable(std::string(trimControls(toCp1252(typed))))) {
            interaction_.error(isBlank(typed) ? QStringLiteral("Erro: Não deixe campo(s) em branco")
                                              : QStringLiteral("Erro: valor inválido: ") + typed);
            return std::nullopt;
        }
    }
    const auto species = wholeNumber(speciesField_->text());
    const int rows = species ? std::min(*species, grid_->rows()) : 0;
    std::vector<DataRow> data;
    for (int r = 0; r < rows; ++r) {
        DataRow row{toCp1252(grid_->text(r, kIndividualsColumn)), toCp1252(grid_->text(r, kCollectionsColumn)),
                    grid_->text(r, kNameColumn).toStdString()};
        // The collections of a species without individuals are never read.
        const bool collectionsRead = parseInteger(row.individuals) != 0;
        for (int column = 0; column < (collectionsRead ? 2 : 1); ++column) {
            if (readable(column == 0 ? row.individuals : row.collections)) continue;
            planilha_->setCurrentCell(r, column);
            planilha_->setFocus();
            planilha_->edit(planilha_->currentIndex());
            const QString text = grid_->text(r, column);
            const QString line = QStringLiteral("Erro: a linha ") + QString::number(r + 1);
            interaction_.error(isBlank(text) ? line + QStringLiteral(" da planilha tem uma célula vazia")
                                             : line + QStringLiteral(" da planilha tem um valor inválido: ") + text);
            return std::nullopt;
        }
        // Counts no species can have: the cell to correct is open.
        if (const QString problem = grid_->countsProblem(r); !problem.isEmpty()) {
            planilha_->setCurrentCell(r, parseInteger(row.individuals) == 0 ? kIndividualsColumn : kCollectionsColumn);
            planilha_->setFocus();
            planilha_->edit(planilha_->currentIndex());
            interaction_.error(QStringLiteral("Erro: ") + problem);
            return std::nullopt;
        }
        data.push_back(std::move(row));
    }
    return data;
}

void DataEditor::closeGrid() {
    grpPlan_->hide();
    setAllMenus(true);
}

void DataEditor::BtnCancelarPlanClick() {
    if (!interaction_.confirm(QStringLiteral("Fechar a planilha sem salvar?"), QStringLiteral("Fechar sem salvar")))
        return;
    closeGrid();
    emit statusChanged(QString());
}

void DataEditor::cancelGrid() {
    if (!gridOpen()) return;
    grid_->commitEditor();
    if (grid_->changed() &&
        !interaction_.confirm(QStringLiteral("Descartar as alterações da planilha?"), QStringLiteral("Descartar")))
        return;
    closeGrid();
    emit statusChanged(QString());
}

} // namespace zav
