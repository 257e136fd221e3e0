#include "editor/data_editor.h"

#include "data/collection_blocks.h"
#include "data/fields.h"
#include "data/file_io.h"
#include "data/species_file.h"
#include "data/species_table.h"
#include "data/spreadsheet_import.h"
#include "editor/collection_grid.h"
#include "editor/grid_keys.h"
#include "editor/species_grid.h"
#include "qtsupport/atomic_save.h"
#include "qtsupport/guarded.h"
#include "qtsupport/panels.h"
#include "qtsupport/qt_text.h"
#include "qtsupport/ui_language.h"
#include "qtsupport/ui_text.h"
#include "sheets/workbook.h"

#include <QBoxLayout>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStackedLayout>
#include <QTableWidget>

#include <algorithm>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace zav {
namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

// The grid at its smallest: its three columns and this many rows.
constexpr int kLeastRowsShown = 12;

} // namespace

DataEditor::DataEditor(QWidget* client, Interaction& interaction) : QObject(client), interaction_(interaction) {
    keys_ = new DigitsOnlyFilter(this);
    connect(keys_, &DigitsOnlyFilter::refused, this, &DataEditor::notice);
    connect(keys_, &DigitsOnlyFilter::cancelRequested, this, &DataEditor::cancelGrid);

    entraNo_ = makePanel(client, "EntraNo", true, "Panel1", Zav::tr("Espécies e Coletas"));
    auto* speciesPrompt = makeLabel(entraNo_, "especiesTxt", Zav::tr("No. de espécies:"), Qt::AlignRight);
    nEspecie_ = new QLineEdit(QStringLiteral("1"), entraNo_);
    nEspecie_->setObjectName("nEspecie");
    setWidthInDigits(nEspecie_, 7);
    nEspecie_->installEventFilter(keys_);
    auto* collectionsPrompt = makeLabel(entraNo_, "StaticText1", Zav::tr("No. de coletas:"), Qt::AlignRight);
    nColeta_ = new QLineEdit(QStringLiteral("1"), entraNo_);
    nColeta_->setObjectName("nColeta");
    setWidthInDigits(nColeta_, 7);
    nColeta_->installEventFilter(keys_);
    auto* ok = button(entraNo_, "BtnOkCriar", Zav::tr("Ok"));
    ok->setDefault(true);
    connectGuardedClick(ok, this, interaction_, &DataEditor::BtnOkCriarClick);
    auto* cancel = button(entraNo_, "BtnCancelCriar", Zav::tr("Cancelar"));
    connectGuardedClick(cancel, this, interaction_, &DataEditor::BtnCancelCriarClick);
    connect(nEspecie_, &QLineEdit::returnPressed, ok, &QPushButton::click);
    connect(nColeta_, &QLineEdit::returnPressed, ok, &QPushButton::click);
    cancelOnEscape(entraNo_, cancel);
    auto* fields = new QFormLayout;
    fields->setLabelAlignment(Qt::AlignRight);
    fields->setFormAlignment(Qt::AlignHCenter | Qt::AlignTop);
    fields->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    fields->setHorizontalSpacing(16);
    fields->setVerticalSpacing(10);
    fields->setContentsMargins(0, 0, 10, 0);
    fields->addRow(speciesPrompt, nEspecie_);
    fields->addRow(collectionsPrompt, nColeta_);
    QBoxLayout* entryColumn = panelLayout(entraNo_);
    entryColumn->addSpacing(8);
    entryColumn->addLayout(fields);
    entryColumn->addSpacing(12);
    entryColumn->addLayout(buttonRow(ok, cancel));

    grpPlan_ = makePanel(client, "GrpPlan", true, "PanelPlan", Zav::tr("DADOS"));
    panelPlan_ = panelTitle(grpPlan_);
    planilha_ = new QTableWidget(0, kGridColumns, grpPlan_);
    planilha_->setObjectName("Planilha");
    planilha_->setHorizontalHeaderLabels({Zav::tr("No Indiv"), Zav::tr("No Coleta"), Zav::tr("Nome")});
    planilha_->verticalHeader()->setMinimumWidth(43);
    // Rows as tall as a line of text, columns as wide as their headings.
    const int rowHeight = std::max(20, planilha_->fontMetrics().height() + 6);
    planilha_->verticalHeader()->setDefaultSectionSize(rowHeight);
    planilha_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    planilha_->setColumnWidth(kIndividualsColumn,
                              std::max(85, planilha_->horizontalHeader()->sectionSizeHint(kIndividualsColumn)));
    planilha_->setColumnWidth(kCollectionsColumn,
                              std::max(84, planilha_->horizontalHeader()->sectionSizeHint(kCollectionsColumn)));
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

    auto* salvar = button(grpPlan_, "BtnSalvarPlan", Zav::tr("Salvar"));
    connectGuardedClick(salvar, this, interaction_, &DataEditor::BtnSalvarPlanClick);
    auto* cancelar = button(grpPlan_, "BtnCancelarPlan", Zav::tr("Cancelar"));
    connectGuardedClick(cancelar, this, interaction_, &DataEditor::BtnCancelarPlanClick);
    // The header, editable while the grid is open.
    auto field = [this](const char* name, const QString& tip) {
        auto* f = new QLineEdit(grpPlan_);
        f->setObjectName(name);
        f->setToolTip(tip);
        f->installEventFilter(keys_);
        // As wide as the buttons above it.
        f->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        return f;
    };
    auto* speciesLabel = makeLabel(grpPlan_, "EspeciesPlanTxt", Zav::tr("Espécies:"), Qt::AlignLeft);
    speciesField_ = field("EspeciesPlan", Zav::tr("Número de espécies (linhas): Enter acrescenta ou remove "
                                                  "linhas no fim"));
    auto* collectionsLabel = makeLabel(grpPlan_, "ColetasPlanTxt", Zav::tr("Coletas:"), Qt::AlignLeft);
    collectionsField_ = field("ColetasPlan", Zav::tr("Total de coletas do levantamento"));
    // The second view, "Por coleta", in the grid's place, and the button
    // that switches between the two.
    byCollection_ = new CollectionGrid(grpPlan_, interaction_);
    connect(byCollection_, &CollectionGrid::notice, this, &DataEditor::notice);
    viewSwitch_ = button(grpPlan_, "BtnPorColeta", Zav::tr("Por coleta"));
    viewSwitch_->setToolTip(Zav::tr("Uma coluna por coleta, com a data, e o clima de cada coleta"));
    connectGuardedClick(viewSwitch_, this, interaction_, &DataEditor::BtnPorColetaClick);
    // The grid's views side by side with the buttons and the header fields.
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(7);
    buttons->addWidget(salvar);
    buttons->addWidget(cancelar);
    buttons->addSpacing(8);
    for (const auto& [label, header] : {std::pair<QWidget*, QWidget*>{speciesLabel, speciesField_},
                                        std::pair<QWidget*, QWidget*>{collectionsLabel, collectionsField_}}) {
        auto* pair = new QVBoxLayout;
        pair->setSpacing(0);
        pair->addWidget(label);
        pair->addWidget(header);
        buttons->addLayout(pair);
    }
    buttons->addSpacing(8);
    buttons->addWidget(viewSwitch_);
    buttons->addStretch(1);
    views_ = new QStackedLayout;
    views_->addWidget(planilha_);
    views_->addWidget(byCollection_);
    auto* body = new QHBoxLayout;
    body->setSpacing(8);
    body->addLayout(views_, 1);
    body->addLayout(buttons);
    panelLayout(grpPlan_)->addLayout(body, 1);
    // Its least: the two counts, a short name and some rows.
    planilha_->setMinimumSize(planilha_->verticalHeader()->minimumWidth() + planilha_->columnWidth(kIndividualsColumn) +
                                  planilha_->columnWidth(kCollectionsColumn) + 4 * rowHeight,
                              (kLeastRowsShown + 1) * rowHeight);
    QWidget* tabOrder[] = {planilha_, salvar, cancelar, speciesField_, collectionsField_, viewSwitch_};
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
    panelPlan_->setText(Zav::tr("DADOS [Especies=") + speciesField_->text() + Zav::tr(" | Coletas=") +
                        collectionsField_->text() + QStringLiteral("]"));
}

bool DataEditor::mayReplaceGrid() {
    return !gridOpen() || (!grid_->changed() && !byCollection_->edited()) ||
           interaction_.confirm(Zav::tr("Descartar as alterações da planilha?"), Zav::tr("Descartar"));
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
    showBySpecies();
    byCollection_->clear();
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
    importedCollections_.reset();
    encoding_ = TextEncoding::Windows1252;
    unreadNames_.clear();
    blocks_.clear();
    dataFileName_ = QStringLiteral("new.txt");
    openEntryPanel(QStringLiteral("1"), QStringLiteral("1"), Zav::tr("Criando um novo arquivo ..."));
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
    const auto chosen = interaction_.openFile(
        {Zav::tr("Importar planilha"), Zav::tr("Planilhas (*.csv *.tsv *.txt *.xlsx *.ods);;Todos os arquivos (*)"),
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
    if (choice->records) {
        data = importAnyRecordsFile(file, sheet);
    } else if (const auto rows = read.find(choice->sheet); rows != read.end()) {
        // The sheet read for its proposal, by name: no notice of the sheet taken.
        static_cast<ImportedSpreadsheet&>(data) = importSheetRows(rows->second, options);
        if (auto notice = unmappableNamesNotice(data); !notice.empty()) data.notices.push_back(std::move(notice));
        addWorkbookWeather(file, sheet, data);
    } else {
        data = importAnySpreadsheetFile(file, options, sheet);
    }
    if (!mayReplaceGrid()) return;
    imported_ = data.rows;
    importedCollections_.reset();
    if (data.collections.present()) importedCollections_ = data.collections;
    encoding_ = TextEncoding::Windows1252;
    unreadNames_.clear();
    blocks_.clear();
    dataFileName_ = importedDataFileName(*chosen, request.sheets, choice->sheet);
    QString status = Zav::tr("Importando a planilha: ") + *chosen;
    if (request.sheets.size() > 1)
        status += QStringLiteral(" [") + request.sheets.value(choice->sheet) + QLatin1Char(']');
    if (const auto notice = totalsRowNotice(data); !notice.empty())
        status += QStringLiteral(" (") + interfaceMessage(notice) + QLatin1Char(')');
    for (const auto& notice : data.notices)
        status += QStringLiteral(" (") + interfaceMessage(notice) + QLatin1Char(')');
    openEntryPanel(fromCp1252(data.speciesCount), fromCp1252(data.totalCollections), status);
}

void DataEditor::BtnOkCriarClick() {
    auto refuse = [this](const QString& message) {
        interaction_.error(message);
        nEspecie_->setFocus();
    };
    if (isBlank(nEspecie_->text()) || isBlank(nColeta_->text()))
        return refuse(Zav::tr("Erro: Não deixe campo(s) em branco"));
    const auto species = wholeNumber(nEspecie_->text());
    if (!species) return refuse(Zav::tr("Erro: valor inválido: ") + nEspecie_->text());
    const auto collections = wholeNumber(nColeta_->text());
    if (!collections) return refuse(Zav::tr("Erro: valor inválido: ") + nColeta_->text());
    if (*species <= 1 || *collections <= 0) return refuse(Zav::tr("Erro: Digite mais de uma espécie ou coleta"));
    if (*species > kMaxSpecies) return refuse(Zav::tr("Erro: Digite no máximo 900 espécies"));

    // An imported grid counts as changed until saved.
    openGrid(nEspecie_->text(), nColeta_->text(), *species, imported_, imported_.empty());
    imported_.clear();
    if (importedCollections_) byCollection_->load(speciesNames(), *importedCollections_, *collections);
    importedCollections_.reset();
}

void DataEditor::BtnCancelCriarClick() {
    imported_.clear();
    importedCollections_.reset();
    entraNo_->hide();
    setAllMenus(true);
    emit statusChanged(QString());
}

void DataEditor::MnuAbrirClick() {
    const auto chosen = interaction_.openFile(dataFileRequest(Zav::tr("Editar arquivo")));
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
    QString status = Zav::tr("Editando o arquivo: ") + path;
    for (const auto& warning : data.warnings)
        status += QStringLiteral(" - ") + interfaceMessage(warning);
    // The collections go to the "Por coleta" view; blocks it cannot read
    // are kept as the file has them.
    if (!blocks_.empty()) try {
            byCollection_->load(speciesNames(), loadCollectionBlocks(toFileSystemPath(path)), 0);
        } catch (const Error& e) {
            status +=
                QStringLiteral(" - ") + interfaceMessage(e.what()) + Zav::tr(" (as coletas são gravadas como estão)");
        }
    emit statusChanged(status);
    setAllMenus(false);
}

void DataEditor::BtnSalvarPlanClick() {
    grid_->commitEditor();
    // The totals of the collections first, into the species lines.
    if (showingByCollection()) showBySpecies();
    const auto data = checkedRows();
    if (!data) return;
    const auto blocks = checkedBlocks(*data);
    if (!blocks) return;
    // Never a names block dropped without asking: the grid holds only the
    // names the file let it read.
    if (!unreadNames_.empty()) {
        QString unread;
        for (const auto& warning : unreadNames_)
            unread += interfaceMessage(warning) + QLatin1Char('\n');
        if (!interaction_.confirm(Zav::tr("Nem todos os nomes das espécies puderam ser lidos:\n") + unread +
                                      Zav::tr("Salvar grava só os nomes que a planilha mostra; os outros se perdem. "
                                              "Salvar assim mesmo?"),
                                  Zav::tr("Salvar sem esses nomes")))
            return;
    }

    const auto chosen = interaction_.saveFile(dataFileRequest(Zav::tr("Salvar arquivo"), dataFileName_));
    if (!chosen || chosen->isEmpty()) return;
    dataFileName_ = *chosen;
    saveFileAtomically(*chosen, formatSpeciesFile(toCp1252(speciesField_->text()), toCp1252(collectionsField_->text()),
                                                  *data, blocks->encoding, blocks->text));
    unreadNames_.clear();
    grid_->markSaved();
    byCollection_->markSaved();
    emit dataFileSaved(*chosen);

    closeGrid();
    emit statusChanged(Zav::tr("Arquivo de dados gravado em ") + *chosen);
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
            interaction_.error(isBlank(typed) ? Zav::tr("Erro: Não deixe campo(s) em branco")
                                              : Zav::tr("Erro: valor inválido: ") + typed);
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
            const QString line = Zav::tr("Erro: a linha ") + QString::number(r + 1);
            interaction_.error(isBlank(text) ? line + Zav::tr(" da planilha tem uma célula vazia")
                                             : line + Zav::tr(" da planilha tem um valor inválido: ") + text);
            return std::nullopt;
        }
        // Counts no species can have: the cell to correct is open.
        if (const QString problem = grid_->countsProblem(r); !problem.isEmpty()) {
            planilha_->setCurrentCell(r, parseInteger(row.individuals) == 0 ? kIndividualsColumn : kCollectionsColumn);
            planilha_->setFocus();
            planilha_->edit(planilha_->currentIndex());
            interaction_.error(Zav::tr("Erro: ") + problem);
            return std::nullopt;
        }
        // A name that is a block's mark would end the names there.
        if (isAnyBlockMark(cleanSpeciesName(row.name))) {
            planilha_->setCurrentCell(r, kNameColumn);
            planilha_->setFocus();
            planilha_->edit(planilha_->currentIndex());
            interaction_.error(Zav::tr("Erro: a linha %1 tem o nome %2, que é a marca de um bloco do arquivo; "
                                       "mude o nome")
                                   .arg(r + 1)
                                   .arg(grid_->text(r, kNameColumn)));
            return std::nullopt;
        }
        data.push_back(std::move(row));
    }
    return data;
}

QStringList DataEditor::speciesNames() const {
    QStringList names;
    for (int r = 0; r < grid_->rows(); ++r)
        names << grid_->text(r, kNameColumn);
    return names;
}

bool DataEditor::showingByCollection() const { return views_->currentWidget() == byCollection_; }

void DataEditor::BtnPorColetaClick() {
    if (showingByCollection()) return showBySpecies();
    grid_->commitEditor();
    // A view not yet in use starts with the collections the header gives.
    if (byCollection_->inUse())
        byCollection_->setSpecies(speciesNames());
    else
        byCollection_->load(speciesNames(), {}, wholeNumber(collectionsField_->text()).value_or(1));
    views_->setCurrentWidget(byCollection_);
    byCollection_->countsTable()->setFocus();
    viewSwitch_->setText(Zav::tr("Por espécie"));
}

void DataEditor::showBySpecies() {
    if (showingByCollection() && byCollection_->inUse()) {
        QStringList individuals, collections;
        for (int r = 0; r < byCollection_->speciesCount(); ++r) {
            individuals << byCollection_->individualsText(r);
            collections << byCollection_->collectionsText(r);
        }
        grid_->setTotals(individuals, collections, QString::number(byCollection_->collectionCount()));
    }
    views_->setCurrentWidget(planilha_);
    viewSwitch_->setText(Zav::tr("Por coleta"));
}

std::optional<DataEditor::BlocksToSave> DataEditor::checkedBlocks(const std::vector<DataRow>& rows) {
    std::vector<std::string> names;
    for (const auto& row : rows)
        names.push_back(row.name);
    // A file's blocks as it had them, or none.
    if (!byCollection_->inUse()) return BlocksToSave{blocks_, encodingToSave(encoding_, names)};
    const auto blocks = byCollection_->blocks(static_cast<int>(rows.size()));
    // The species lines must say what the collections say.
    const auto refuse = [this](const QString& message) {
        interaction_.error(message);
        return std::nullopt;
    };
    if (wholeNumber(collectionsField_->text()) != static_cast<std::int32_t>(blocks.collections.size()))
        return refuse(Zav::tr("Erro: o total de coletas é %1, mas a planilha por coleta tem %2 coletas")
                          .arg(collectionsField_->text())
                          .arg(blocks.collections.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        std::int64_t individuals = 0, caught = 0;
        for (const auto& collection : blocks.collections) {
            individuals += collection.counts[r];
            caught += collection.counts[r] > 0 ? 1 : 0;
        }
        const auto said = parseInteger(rows[r].individuals), saidCollections = parseInteger(rows[r].collections);
        if (said != individuals || (individuals > 0 && saidCollections != caught))
            return refuse(Zav::tr("Erro: a linha %1 soma %2 indivíduos em %3 coletas na planilha por coleta, "
                                  "mas a planilha por espécie diz %4 em %5; corrija uma das duas")
                              .arg(r + 1)
                              .arg(individuals)
                              .arg(caught)
                              .arg(fromCp1252(rows[r].individuals))
                              .arg(fromCp1252(rows[r].collections)));
    }
    const auto encoding =
        encodingToSave(encoding_, names, blocks.weather ? blocks.weather->variables : std::vector<std::string>());
    return BlocksToSave{formatCollectionBlocks(blocks, encoding), encoding};
}

void DataEditor::closeGrid() {
    showBySpecies();
    grpPlan_->hide();
    setAllMenus(true);
}

void DataEditor::BtnCancelarPlanClick() {
    if (!interaction_.confirm(Zav::tr("Fechar a planilha sem salvar?"), Zav::tr("Fechar sem salvar"))) return;
    closeGrid();
    emit statusChanged(QString());
}

void DataEditor::cancelGrid() {
    if (!gridOpen()) return;
    grid_->commitEditor();
    if ((grid_->changed() || byCollection_->edited()) &&
        !interaction_.confirm(Zav::tr("Descartar as alterações da planilha?"), Zav::tr("Descartar")))
        return;
    closeGrid();
    emit statusChanged(QString());
}

} // namespace zav
