#pragma once
// The data editor: "Novo" asks for the number of species and of collections
// in EntraNo, "Abrir..." loads a data file; both lead to the grid GrpPlan,
// whose "Salvar" writes the file in the layout the analyses read.

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
class QTableWidget;

namespace zav {

class DigitsOnlyFilter;

class DataEditor : public QObject {
    Q_OBJECT

  public:
    // The panels are built inside `client` at their first positions.
    DataEditor(QWidget* client, Interaction& interaction);

    QFrame* entraNo() const { return entraNo_; }
    QFrame* grpPlan() const { return grpPlan_; }
    bool gridOpen() const;
    // The data file the grid edits (pre-fills its save dialog).
    QString dataFileName() const { return dataFileName_; }

    void MnuNovoClick();
    void MnuAbrirClick();
    // "Importar planilha...": the rows of a CSV or TSV spreadsheet go to a
    // new grid through EntraNo, the total of collections left to type.
    void MnuImportarClick();

    // A cell by the grid's own numbering: row 0 holds the headings, column 0
    // the row numbers, columns 1 and 2 the individuals and the collections.
    QString cellText(int column, int row) const;
    int rowCount() const; // n + 1 for n species

  signals:
    void menuEnabled(zav::TopMenu menu, bool enabled);
    void statusChanged(const QString& text);
    // A data file was written.
    void dataFileSaved(const QString& path);

  private:
    void BtnOkCriarClick();
    void BtnCancelCriarClick();
    void BtnSalvarPlanClick();
    void BtnCancelarPlanClick();

    // Asks first when the open grid holds changed cells.
    bool mayReplaceGrid();
    // The rows to save, or nothing after telling the user which field the
    // readers could not take.
    std::optional<std::vector<DataRow>> checkedRows();
    QStringList cells() const;
    void fillRows(const std::vector<DataRow>& rows);
    void setAllMenus(bool enabled);
    void setCaption();
    void makeRows(int species);
    QString gridText(int row, int column) const;

    void openEntryPanel(const QString& species, const QString& collections, const QString& status);

    Interaction& interaction_;
    QString dataFileName_;
    std::vector<DataRow> imported_; // rows waiting for EntraNo's "Ok"
    QFrame* entraNo_ = nullptr;
    QFrame* grpPlan_ = nullptr;
    QLineEdit* nEspecie_ = nullptr;
    QLineEdit* nColeta_ = nullptr;
    QLabel* panelPlan_ = nullptr;
    QTableWidget* planilha_ = nullptr;
    DigitsOnlyFilter* keys_ = nullptr;
    QStringList loaded_; // the cells as the grid was filled, to tell a change
};

} // namespace zav
