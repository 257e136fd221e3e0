#pragma once
// The look shared by the panels laid over the main window's client area.

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QString>

class QAbstractButton;
class QFrame;
class QLabel;
class QWidget;

namespace zav {

inline const QColor kTeal(0, 128, 128);

// Button-face background, as dialogs have.
QPalette panelPalette();

// A hidden panel with a raised (or flat) bevel.
QFrame* makePanel(QWidget* parent, const char* name, QRect geometry, bool raised);

// The white bold caption on teal at the top of a panel.
QLabel* makeTitleBar(QWidget* panel, const char* name, const QString& caption, QRect geometry);

// A label at a position, sized to its text or to `width` with the text
// right-aligned when a width is given.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry, Qt::Alignment align);

// Escape anywhere in the panel clicks `button` (its Cancelar or Ok).
void cancelOnEscape(QWidget* panel, QAbstractButton* button);

} // namespace zav
