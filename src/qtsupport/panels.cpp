#include "qtsupport/panels.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QShortcut>

namespace zav {

QPalette panelPalette() {
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    return palette;
}

QFrame* makePanel(QWidget* parent, const char* name, QRect geometry, bool raised) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | (raised ? QFrame::Raised : QFrame::Plain));
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);
    panel->setPalette(panelPalette());
    panel->setGeometry(geometry);
    panel->hide();
    return panel;
}

QLabel* makeTitleBar(QWidget* panel, const char* name, const QString& caption, QRect geometry) {
    auto* bar = new QLabel(caption, panel);
    bar->setObjectName(name);
    bar->setGeometry(geometry);
    bar->setAlignment(Qt::AlignCenter);
    bar->setAutoFillBackground(true);
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window, kTeal);
    palette.setColor(QPalette::WindowText, Qt::white);
    bar->setPalette(palette);
    QFont bold = bar->font();
    bold.setBold(true);
    bar->setFont(bold);
    return bar;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry, Qt::Alignment align) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(align | Qt::AlignVCenter);
    return label;
}

void cancelOnEscape(QWidget* panel, QAbstractButton* button) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), panel, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    QObject::connect(escape, &QShortcut::activated, button, &QAbstractButton::click);
}

} // namespace zav
