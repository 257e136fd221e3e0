#pragma once
// The keys of the grid and of the two entry fields: only unsigned whole
// numbers can be typed, and the arrows jump between the two data columns,
// also while a cell is being edited.

#include <QObject>
#include <QStyledItemDelegate>

class QKeyEvent;
class QTableWidget;

namespace zav {

// PlanilhaKeyPress: true when a typed key must be discarded. Digits and
// backspace pass; every other character, control codes included (Enter,
// Escape, the clipboard shortcuts), is discarded. Keys that type nothing
// (arrows, Home, Delete), Tab, which moves the focus, and keys with Alt,
// which open menus, pass.
bool PlanilhaKeyPress(const QKeyEvent& event);

// Installed on nEspecie and nColeta, and on the grid itself. In the two
// fields Return and Escape pass, to confirm or cancel their panel.
class DigitsOnlyFilter : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// PlanilhaKeyDown: right arrow in the individuals column moves to the
// collections column, left arrow back; true when it moved.
bool PlanilhaKeyDown(QTableWidget& grid, const QKeyEvent& event);

// Grid cell editors that take digits only (typed or pasted), and whose
// arrows move between the columns instead of the text cursor.
class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    explicit GridCellDelegate(QTableWidget* grid);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;

  protected:
    bool eventFilter(QObject* editor, QEvent* event) override;

  private:
    QTableWidget* grid_;
};

} // namespace zav
