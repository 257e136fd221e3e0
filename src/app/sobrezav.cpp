#include "app/sobrezav.h"

#include "app/app_icon.h"
#include "zaviro_version.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace zav {
namespace {

QFrame* bevelPanel(QWidget* parent, const char* name, QRect geometry) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setGeometry(geometry);
    return panel;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, QPoint at) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->move(at);
    l->adjustSize();
    return l;
}

} // namespace

TJanSobre::TJanSobre(QWidget* parent) : QDialog(parent) {
    setObjectName("JanSobre");
    setWindowTitle(QStringLiteral("Sobre ..."));
    setModal(false);
    setFixedSize(296, 396);

    auto* panel1 = bevelPanel(this, "Panel1", {8, 8, 281, 201});
    auto* icon = new QLabel(panel1);
    icon->setObjectName("ProgramIcon");
    icon->setPixmap(applicationIcon().pixmap(32, 32));
    icon->setGeometry(8, 8, 32, 32);
    auto* product = label(panel1, "ProductName", QStringLiteral("ZAVIRO - Análise Faunística"), {48, 8});
    QFont bold = product->font();
    bold.setPointSize(10);
    bold.setBold(true);
    product->setFont(bold);
    product->adjustSize();
    label(panel1, "Version", QStringLiteral("Versão ") + QLatin1String(kVersion), {48, 40});
    label(panel1, "Comments", QStringLiteral("Desenvolvido por:"), {92, 72});
    label(panel1, "Label1", QStringLiteral("Equipe ZAVIRO"), {80, 96});
    label(panel1, "Label2", QStringLiteral("Análise faunística e"), {64, 120});
    label(panel1, "Label3", QStringLiteral("similaridade de"), {72, 144});
    label(panel1, "Label4", QStringLiteral("levantamentos"), {72, 168});

    auto* panel2 = bevelPanel(this, "Panel2", {8, 216, 281, 41});
    label(panel2, "Label5", QStringLiteral("Kato et al. 1952; Shannon e Weaver 1949;"), {8, 4});
    label(panel2, "Label6", QStringLiteral("Margalef 1958; Sørensen 1948"), {8, 20});

    // The licence, and the citation a researcher copies into a paper.
    auto* panel3 = bevelPanel(this, "Panel3", {8, 264, 281, 93});
    label(panel3, "Licenca", QStringLiteral("Licença: GPL-3.0-or-later (software livre)"), {8, 4});
    label(panel3, "ComoCitar", QStringLiteral("Como citar:"), {8, 22});
    auto* citation = new QLabel(citationText(), panel3);
    citation->setObjectName("Citacao");
    citation->setWordWrap(true);
    citation->setTextInteractionFlags(Qt::TextSelectableByMouse);
    citation->setGeometry(8, 38, 265, 50);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName("OKButton");
    ok->setGeometry(111, 364, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TJanSobre::OKButtonClick);
}

void TJanSobre::OKButtonClick() { hide(); }

QString citationText() {
    return QStringLiteral("Equipe ZAVIRO. ZAVIRO - Análise Faunística, versão ") + QLatin1String(kVersion) +
           QStringLiteral(". Programa de computador, GPL-3.0-or-later.");
}

} // namespace zav
