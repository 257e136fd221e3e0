#include "app/sobrezav.h"

#include "app/app_icon.h"
#include "qtsupport/ui_text.h"
#include "zaviro_version.h"

#include <QBoxLayout>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <utility>

namespace zav {
namespace {

QFrame* bevelPanel(QWidget* parent, const char* name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    return panel;
}

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

// Lines one under the other, inside a panel's bevel.
QVBoxLayout* lines(QWidget* panel, int spacing) {
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(6, 2, 6, 4);
    column->setSpacing(spacing);
    return column;
}

} // namespace

TJanSobre::TJanSobre(QWidget* parent) : QDialog(parent) {
    setObjectName("JanSobre");
    setWindowTitle(Zav::tr("Sobre ..."));
    setModal(false);

    auto* panel1 = bevelPanel(this, "Panel1");
    auto* icon = new QLabel(panel1);
    icon->setObjectName("ProgramIcon");
    icon->setPixmap(applicationIcon().pixmap(32, 32));
    auto* product = label(panel1, "ProductName", Zav::tr("ZAVIRO - Análise Faunística"));
    QFont bold = product->font();
    bold.setPointSize(10);
    bold.setBold(true);
    product->setFont(bold);
    auto* version = label(panel1, "Version", Zav::tr("Versão ") + QLatin1String(kVersion));
    auto* heading = new QGridLayout(panel1);
    heading->setContentsMargins(6, 6, 6, 12);
    heading->setHorizontalSpacing(8);
    heading->setVerticalSpacing(12);
    heading->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    heading->addWidget(product, 0, 1);
    heading->addWidget(version, 1, 1);
    auto* credits = new QVBoxLayout;
    credits->setSpacing(9);
    for (const auto& [name, text] : {std::pair<const char*, QString>{"Comments", Zav::tr("Desenvolvido por:")},
                                     {"Label1", Zav::tr("Equipe ZAVIRO")},
                                     {"Label2", Zav::tr("Análise faunística e")},
                                     {"Label3", Zav::tr("similaridade de")},
                                     {"Label4", Zav::tr("levantamentos")}})
        credits->addWidget(label(panel1, name, text), 0, Qt::AlignHCenter);
    heading->addLayout(credits, 2, 0, 1, 2);

    auto* panel2 = bevelPanel(this, "Panel2");
    auto* references = lines(panel2, 0);
    references->addWidget(label(panel2, "Label5", Zav::tr("Kato et al. 1952; Shannon e Weaver 1949;")));
    references->addWidget(label(panel2, "Label6", Zav::tr("Margalef 1958; Sørensen 1948")));

    // The licence, and the citation a researcher copies into a paper.
    auto* panel3 = bevelPanel(this, "Panel3");
    auto* licence = lines(panel3, 2);
    licence->addWidget(label(panel3, "Licenca", Zav::tr("Licença: GPL-3.0-or-later (software livre)")));
    licence->addWidget(label(panel3, "ComoCitar", Zav::tr("Como citar:")));
    auto* citation = new QLabel(citationText(), panel3);
    citation->setObjectName("Citacao");
    citation->setWordWrap(true);
    citation->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // As wide as the lines above it, as many lines tall as it needs there.
    QSizePolicy wrapped(QSizePolicy::Ignored, QSizePolicy::Preferred);
    wrapped.setHeightForWidth(true);
    citation->setSizePolicy(wrapped);
    licence->addWidget(citation);

    auto* ok = new QPushButton(Zav::tr("OK"), this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TJanSobre::OKButtonClick);

    // The dialog as large as its texts need, no larger.
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(7);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->addWidget(panel1);
    column->addWidget(panel2);
    column->addWidget(panel3);
    column->addWidget(ok, 0, Qt::AlignHCenter);
}

void TJanSobre::OKButtonClick() { hide(); }

QString citationText() {
    return Zav::tr("Equipe ZAVIRO. ZAVIRO - Análise Faunística, versão ") + QLatin1String(kVersion) +
           Zav::tr(". Programa de computador, GPL-3.0-or-later.");
}

} // namespace zav
