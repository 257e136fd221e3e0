// Every panel of the main window, the grid and the about dialog laid out
// whole: at the window's first size, at its least size and with every text
// twice as long (as a longer language would make it), each named widget
// lies inside its parent, overlaps none of its siblings and is large enough
// for what it shows; the panels keep their places and keyboard order.

#include "app/ZavNovo.h"
#include "qtsupport/panels.h"
#include "support/window_test.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

enum class Sizing { First, Least, LongerTexts };

bool ours(const QWidget* w) { return !w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")); }

QString describe(const QWidget* w) {
    const QRect g = w->geometry();
    return QStringLiteral("%1 at %2,%3 %4x%5 in %6 (%7x%8)")
        .arg(w->objectName())
        .arg(g.x())
        .arg(g.y())
        .arg(g.width())
        .arg(g.height())
        .arg(w->parentWidget()->objectName())
        .arg(w->parentWidget()->width())
        .arg(w->parentWidget()->height());
}

// What a widget shows, shown whole: its text unclipped.
bool largeEnough(const QWidget* w) {
    // A wrapped text (and what holds one) is as tall as its width needs.
    const int least = w->hasHeightForWidth() ? w->heightForWidth(w->width()) : w->minimumSizeHint().height();
    if (w->width() < w->minimumSizeHint().width() || w->height() < least) return false;
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->wordWrap()) return label->heightForWidth(label->width()) <= label->height();
        return label->sizeHint().width() <= label->width() && label->sizeHint().height() <= label->height();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) return button->sizeHint().width() <= w->width();
    return true;
}

void checkWhole(const QWidget* top) {
    QList<const QWidget*> shown;
    for (const QWidget* w : top->findChildren<QWidget*>())
        if (ours(w) && w->isVisible() && w->isVisibleTo(top) && !w->isWindow()) shown << w;
    QVERIFY(!shown.isEmpty());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QWidget* w = shown[i];
        QVERIFY2(w->parentWidget()->rect().contains(w->geometry()), qPrintable("outside: " + describe(w)));
        QVERIFY2(largeEnough(w), qPrintable(QStringLiteral("too small for its text: %1, needs %2x%3 at least")
                                                .arg(describe(w))
                                                .arg(w->minimumSizeHint().width())
                                                .arg(w->sizeHint().height())));
        for (qsizetype j = i + 1; j < shown.size(); ++j)
            if (shown[j]->parentWidget() == w->parentWidget())
                QVERIFY2(!w->geometry().intersects(shown[j]->geometry()),
                         qPrintable("overlaps: " + describe(w) + " and " + describe(shown[j])));
    }
}

// Each text twice as long, as a longer language would have it.
void doubleTexts(QWidget* top) {
    for (auto* label : top->findChildren<QLabel*>())
        if (!label->text().isEmpty()) label->setText(label->text() + label->text());
    for (auto* button : top->findChildren<QAbstractButton*>())
        if (!button->text().isEmpty()) button->setText(button->text() + button->text());
    for (auto* group : top->findChildren<QGroupBox*>())
        group->setTitle(group->title() + group->title());
}

// The panel's widgets that take the keyboard, in the order Tab reaches them.
QStringList tabOrder(QWidget* panel) {
    QStringList order;
    QWidget* w = panel;
    do {
        w = w->nextInFocusChain();
        if (ours(w) && panel->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisible())
            order << w->objectName();
    } while (w != panel);
    return order;
}

} // namespace

Q_DECLARE_METATYPE(Sizing)

class PanelLayoutTest : public zav::test::WindowTest {
    Q_OBJECT

    // Opens a panel as the user would; the panel, or the dialog.
    QWidget* open(const QString& panel) {
        if (panel == "EntraNo" || panel == "GrpPlan") trigger("MnuNovo");
        if (panel == "GrpPlan") {
            window->findChild<QLineEdit*>("nEspecie")->setText("3");
            click("BtnOkCriar");
        }
        if (panel == "EntraCol") trigger("MnuSimilar");
        if (panel == "EntraComp") trigger("MnuComparacao");
        if (panel == "EntraComun") trigger("MnuComunidades");
        if (panel == "Grupo1") trigger("MnuZAV");
        if (panel == "Memo1") {
            // A report with warnings under it.
            user->expectOpen(dataFile("impossivel.txt", "3 12\r\n30 15\r\n3 4\r\n7 3\r\n"));
            trigger("MnuCalcular");
        }
        if (panel == "JanSobre") {
            trigger("MnuSobre");
            return window->findChild<QDialog*>("JanSobre");
        }
        return window->findChild<QWidget*>(panel);
    }

  private slots:
    void init() { createWindow(); }
    void cleanup() { closeWindow(); }

    void everyPanelIsWhole_data() {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<Sizing>("sizing");
        for (const char* panel :
             {"EntraNo", "GrpPlan", "EntraCol", "EntraComp", "EntraComun", "Grupo1", "Memo1", "JanSobre"})
            for (const auto& [name, sizing] : {std::pair{"first size", Sizing::First},
                                               {"least size", Sizing::Least},
                                               {"longer texts", Sizing::LongerTexts}})
                QTest::addRow("%s, %s", panel, name) << QString(panel) << sizing;
    }
    void everyPanelIsWhole() {
        QFETCH(QString, panel);
        QFETCH(Sizing, sizing);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        if (sizing == Sizing::Least) window->resize(window->minimumSize());
        QWidget* shown = open(panel);
        QVERIFY(shown && shown->isVisible());
        if (sizing == Sizing::LongerTexts) doubleTexts(shown);
        // Each layout asks the one around it again, a pass each.
        for (int pass = 0; pass < 4; ++pass)
            QApplication::processEvents();
        // The status line's passing messages aside.
        checkWhole(shown->isWindow() ? shown : window->centralWidget());
    }

    // Where each panel opens at the first size, and the order Tab takes
    // through it.
    void panelsKeepTheirPlacesAndKeyboardOrder_data() {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QPoint>("place"); // (-1, -1): centred in the window
        QTest::addColumn<QStringList>("order");
        QTest::newRow("EntraNo") << "EntraNo" << QPoint(8, 8)
                                 << QStringList{"nEspecie", "nColeta", "BtnOkCriar", "BtnCancelCriar"};
        QTest::newRow("GrpPlan") << "GrpPlan" << QPoint(8, 8)
                                 << QStringList{"Planilha",     "BtnSalvarPlan", "BtnCancelarPlan",
                                                "EspeciesPlan", "ColetasPlan",   "BtnPorColeta"};
        QTest::newRow("EntraCol") << "EntraCol" << QPoint(-1, -1) << QStringList{"nRepet", "btnOkRep", "BtnCancelRep"};
        QTest::newRow("EntraComp") << "EntraComp" << QPoint(-1, -1)
                                   << QStringList{"nTratamentos", "cbIndice", "btnOkComp", "BtnCancelComp"};
        QTest::newRow("EntraComun") << "EntraComun" << QPoint(-1, -1)
                                    << QStringList{"nTratamentosComun", "cbIndiceComun", "sbPermutacoes", "btnOkComun",
                                                   "BtnCancelComun"};
        QTest::newRow("Grupo1") << "Grupo1" << QPoint(16, 16) << QStringList{"Memo2", "BtnOKAjuda"};
        QTest::newRow("Memo1") << "Memo1" << QPoint(8, 40) << QStringList{};
    }
    void panelsKeepTheirPlacesAndKeyboardOrder() {
        QFETCH(QString, panel);
        QFETCH(QPoint, place);
        QFETCH(QStringList, order);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QWidget* shown = open(panel);
        QApplication::processEvents();
        const QRect client = window->centralWidget()->rect();
        if (place.x() < 0)
            QVERIFY(qAbs(shown->geometry().center().x() - client.center().x()) <= 1 &&
                    qAbs(shown->geometry().center().y() - client.center().y()) <= 1);
        else
            QCOMPARE(shown->pos(), place);
        if (!order.isEmpty()) QCOMPARE(tabOrder(shown), order);
        // A list as wide as the panel's caption.
        if (auto* frame = qobject_cast<QFrame*>(shown); frame && frame->layout())
            for (auto* list : shown->findChildren<QComboBox*>())
                QCOMPARE(list->width(), zav::panelTitle(frame)->width());
    }
};

QTEST_MAIN(PanelLayoutTest)
#include "panel_layout_test.moc"
