#pragma once
// The data editor: "Novo" asks for the number of species and of collections
// in EntraNo, "Abrir..." loads a data file, "Importar planilha..." reads a
// spreadsheet; all lead to the grid GrpPlan (editor/species_grid.h), whose
// "Salvar" writes the file in the layout the analyses read, with the
// species' names after it.

#include "data/collection_blocks.h"
#include "data/species_file.h"
#include "qtsupport/interaction.h"
#include "qtsupport/menus.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedLayout;
class QTableWidget;

namespace zav {

class CollectionGrid;
class DigitsOnlyFilter;
class SpeciesGrid;

class DataEditor : public QObject {
    Q_OBJECT

  public:
    // The panels are built inside `client`, each on a layout of its own;
    // the window places the panels.
    DataEditor(QWidget* client, Interaction& interaction);

    QFrame* entraNo() const { return entraNo_; }
    QFrame* grpPlan() const { return grpPlan_; }
    bool gridOpen() const;
    // The data file the grid edits (pre-fills its save dialog).
    QString dataFileName() const { return dataFileName_; }

    void MnuNovoClick();
    void MnuAbrirClick();
    // "Importar planilha...": the rows of a CSV, TSV, XLSX or ODS
    // spreadsheet (a sheet chosen when a workbook has several, species by
    // collection when asked) go to a new grid through EntraNo, the total of
    // collections left to type unless the sheet gives it.
    void MnuImportarClick();

    // A cell by the grid's own numbering: row 0 holds the headings, column 0
    // the row numbers, columns 1, 2 and 3 the individuals, the collections
    // and the name.
    QString cellText(int column, int row) const;
    int rowCount() const; // n + 1 for n species

    // "Por coleta" / "Por espécie": the grid's two views. The totals the
    // collections give go to the species view as it comes back.
    void BtnPorColetaClick();
    bool showingByCollection() const;

  signals:
    void menuEnabled(zav::TopMenu menu, bool enabled);
    void statusChanged(const QString& text);
    // A passing word for the status line (a refused key, a paste refused).
    void notice(const QString& text);
    // A data file was written.
    void dataFileSaved(const QString& path);

  private:
    void BtnOkCriarClick();
    void BtnCancelCriarClick();
    void BtnSalvarPlanClick();
    void BtnCancelarPlanClick();
    // Escape in the grid's panel: cancels it, asking first when something
    // changed.
    void cancelGrid();
    void closeGrid();
    void openGrid(const QString& species, const QString& collections, int rows, const std::vector<DataRow>& data,
                  bool loaded);

    // Asks first when the open grid holds changed cells.
    bool mayReplaceGrid();
    // The rows to save, or nothing after telling the user which field the
    // readers could not take.
    std::optional<std::vector<DataRow>> checkedRows();
    void setAllMenus(bool enabled);
    void setCaption();

    void openEntryPanel(const QString& species, const QString& collections, const QString& status);

    Interaction& interaction_;
    QString dataFileName_;
    // How the file opened wrote its names, so that it is saved the same
    // way, and the names it could not read (the save asks first).
    TextEncoding encoding_ = TextEncoding::Windows1252;
    std::vector<std::string> unreadNames_;
    std::string blocks_;            // the collections and weather blocks of the file opened, written back as they were
    std::vector<DataRow> imported_; // rows waiting for EntraNo's "Ok"
    QFrame* entraNo_ = nullptr;
    QFrame* grpPlan_ = nullptr;
    QLineEdit* nEspecie_ = nullptr;
    QLineEdit* nColeta_ = nullptr;
    QLineEdit* speciesField_ = nullptr; // the grid's header, editable
    QLineEdit* collectionsField_ = nullptr;
    QLabel* panelPlan_ = nullptr;
    QTableWidget* planilha_ = nullptr;
    // The grid's views, one shown at a time beside the buttons; the grid
    // of species is the first.
    QStackedLayout* views_ = nullptr;
    DigitsOnlyFilter* keys_ = nullptr;
    SpeciesGrid* grid_ = nullptr;
    bool perCollection_ = false; // the import's last choice
    // The "Por coleta" view, its switch, and an import's collections
    // waiting for EntraNo's "Ok".
    CollectionGrid* byCollection_ = nullptr;
    QPushButton* viewSwitch_ = nullptr;
    std::optional<CollectionBlocks> importedCollections_;
    void showBySpecies();
    QStringList speciesNames() const;
    // The blocks to write after the names and the encoding of the whole
    // file (one that keeps every name), or nothing after telling the user
    // what is wrong.
    struct BlocksToSave {
        std::string text;
        TextEncoding encoding;
    };
    std::optional<BlocksToSave> checkedBlocks(const std::vector<DataRow>& rows);
};

} // namespace zav
