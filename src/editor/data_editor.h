#pragma once
// The data editor: "Novo" asks for the number of species and of collections
// in EntraNo, "Abrir..." loads a data file; both lead to the grid GrpPlan,
// whose "Salvar" writes the file in the layout the analyses read.

#include "data/species_file.h"
#include "qtsupport/interaction.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QFrame;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace zav {

class DigitsOnlyFilter;

// What the editor shares with the main window.
struct EditorShell {
    std::function<void(int menu, bool enabled)> setMenuEnabled; // top-level menus 0..3
    std::function<void(const QString&)> setStatus;
    std::function<void(const std::function<void()>&)> guarded; // the default handler
    std::function<QString()> currentDirectory;
    QString* currentDataFileName; // owned by the main window
};

class DataEditor : public QObject {
    Q_OBJECT

  public:
    // The panels are built inside `client` at their first positions.
    DataEditor(QWidget* client, Interaction& interaction, EditorShell shell);

    QFrame* entraNo() const { return entraNo_; }
    QFrame* grpPlan() const { return grpPlan_; }
    bool gridOpen() const;

    void MnuNovoClick();
    void MnuAbrirClick();

    // A cell by the grid's own numbering: row 0 holds the headings, column 0
    // the row numbers, columns 1 and 2 the individuals and the collections.
    QString cellText(int column, int row) const;
    int rowCount() const; // n + 1 for n species

  signals:
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
    void setAllMenus(bool enabled);
    void setCaption();
    void makeRows(int species);
    QString gridText(int row, int column) const;

    Interaction& interaction_;
    EditorShell shell_;
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
