// The window in English and in Spanish: no Portuguese word is left in its
// title, menus, actions, panels (labels, buttons, fields' tips, the grid's
// headings), the about dialog, the chart window's controls, the file
// dialogs' titles it asks for, the status line and the report.

#include "app/ZavNovo.h"
#include "app/help_text.h"
#include "app/sobrezav.h"
#include "charts/charts.h"
#include "qtsupport/ui_language.h"
#include "report/report_document.h"
#include "runs/run_kinds.h"
#include "support/window_test.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>

#include <memory>

namespace {

// What a reader would see: the texts and tips of every control of `root`,
// the menus' items, the grids' headings; the language menu speaks every
// language on purpose and is left out.
QStringList shownTexts(const QWidget& root) {
    QStringList texts{root.windowTitle()};
    for (const auto* action : root.findChildren<QAction*>())
        if (!action->objectName().startsWith(QStringLiteral("MnuIdioma"))) texts << action->text() << action->toolTip();
    for (const auto* widget : root.findChildren<QWidget*>()) {
        texts << widget->toolTip();
        if (const auto* label = qobject_cast<const QLabel*>(widget)) texts << label->text();
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) texts << button->text();
        if (const auto* group = qobject_cast<const QGroupBox*>(widget)) texts << group->title();
        if (const auto* menu = qobject_cast<const QMenu*>(widget))
            if (menu->objectName() != QStringLiteral("MnuIdioma")) texts << menu->title();
        if (const auto* table = qobject_cast<const QTableWidget*>(widget)) {
            for (int c = 0; c < table->columnCount(); ++c)
                if (const auto* item = table->horizontalHeaderItem(c)) texts << item->text();
            if (table->rowCount() > 0)
                if (const auto* item = table->verticalHeaderItem(0)) texts << item->text();
        }
    }
    texts.removeAll(QString());
    return texts;
}

// Words only Portuguese writes; the Spanish list leaves out those Spanish
// shares ("Calcular", "Gráfico", "Número", "Sobre").
const QStringList kPortuguese = {
    QStringLiteral("Arquivo"),
    QStringLiteral("Salvar"),
    QStringLiteral("Sair"),
    QStringLiteral("Ajuda"),
    QStringLiteral("Similaridade"),
    QStringLiteral("Tratamentos?"),
    QStringLiteral("Selecione"),
    QStringLiteral("Fechar"),
    QStringLiteral("Espécies?"),
    QStringLiteral("Coletas?"),
    QStringLiteral("Planilha"),
    QStringLiteral("Relatório"),
    QStringLiteral("Diversidade"),
    QStringLiteral("Novo"),
    QStringLiteral("Abrir\\.\\.\\."),
    QStringLiteral("Colar"),
    QStringLiteral("Desfazer"),
    QStringLiteral("Sobre"),
    QStringLiteral("Tamanho"),
    QStringLiteral("levantamento"),
    QStringLiteral("Importar planilha"),
    QStringLiteral("Entre com"),
    QStringLiteral("DADOS"),
    QStringLiteral("Cancelar"),
    QStringLiteral("Calcular"),
    QStringLiteral("Gráfico"),
    QStringLiteral("Número"),
    QStringLiteral("\\w*(ção|ções|ão|ões)\\b"),
};
const QStringList kAlsoSpanish = {QStringLiteral("Calcular"), QStringLiteral("Gráfico"),
                                  QStringLiteral("Número"),   QStringLiteral("Cancelar"),
                                  QStringLiteral("Sobre"),    QStringLiteral("Abrir\\.\\.\\.")};

QStringList portugueseIn(const QStringList& texts, zav::ReportLanguage language) {
    QStringList found;
    for (const auto& word : kPortuguese) {
        if (language == zav::ReportLanguage::Spanish && kAlsoSpanish.contains(word)) continue;
        const QRegularExpression pattern(QStringLiteral("(^|\\W)") + word + QStringLiteral("($|\\W)"),
                                         QRegularExpression::UseUnicodePropertiesOption);
        for (QString text : texts)
            if (text.remove(QLatin1Char('&')).contains(pattern)) found << word + QStringLiteral(": ") + text;
    }
    return found;
}

} // namespace

class WindowLanguageTest : public zav::test::WindowTest {
    Q_OBJECT

  private slots:
    void init() { createWindowIn(zav::ReportLanguage::Portuguese); }
    void cleanup() {
        closeWindow();
        zav::installInterfaceLanguage(*QCoreApplication::instance(), zav::ReportLanguage::Portuguese);
    }

    void noPortugueseLeft_data() {
        QTest::addColumn<int>("language");
        QTest::newRow("en") << static_cast<int>(zav::ReportLanguage::English);
        QTest::newRow("es") << static_cast<int>(zav::ReportLanguage::Spanish);
    }
    void noPortugueseLeft() {
        QFETCH(int, language);
        const auto chosen = static_cast<zav::ReportLanguage>(language);
        createWindowIn(chosen);
        QStringList texts = shownTexts(*window);
        const zav::TJanSobre about(window.get());
        texts << shownTexts(about);
        // The dialogs the window asks for: their titles and filters.
        for (const char* item : {"MnuAbrir", "MnuCalcular", "MnuImportar"}) {
            user->expectOpen(std::nullopt);
            trigger(item);
        }
        for (const auto& request : user->requests)
            texts << request.title << request.filter;
        // A report shown, with its status line, and its charts.
        const QString data = copyGolden("dez-especies.txt");
        user->expectOpen(data);
        trigger("MnuCalcular");
        texts << window->findChild<QLabel*>("SBarText")->text() << window->windowTitle();
        const QString report = window->findChild<QPlainTextEdit*>("Memo1")->toPlainText();
        texts << report.left(report.indexOf(QLatin1Char('\n')));
        const auto document = zav::reportDocument(zav::runSurvey(data.toStdString(), zav::DateTime{}), {data});
        const std::unique_ptr<QWidget> charts(zav::openChartWindow(*user, document, nullptr));
        texts << shownTexts(*charts);
        // The charts themselves speak the window's language until told otherwise.
        QCOMPARE(charts->findChild<QComboBox*>("CmbIdioma")->currentIndex(), language);
        // The help, every line; the data file's own words ([nomes]) stay.
        texts << zav::helpText(chosen).split(QLatin1Char('\n'));
        QVERIFY(zav::helpText(chosen).contains(QStringLiteral("\tSD - super")));
        const auto left = portugueseIn(texts, chosen);
        QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char('\n'))));
    }

    // The core's errors and warnings in the window's language: a message
    // box, the warnings under the report and the status line.
    void coreMessagesInTheWindowsLanguage() {
        createWindowIn(zav::ReportLanguage::English);
        user->expectOpen(dataFile("letras.txt", "2 5\r\n10 3\r\nabc 2\r\n"));
        user->expectError(QStringLiteral("Error: Check the data file!\nLine 3: \"abc\" is not a whole number"));
        trigger("MnuCalcular");
        user->expectOpen(dataFile("impossivel.txt", "3 10\r\n5 2\r\n4 0\r\n6 3\r\n"));
        trigger("MnuCalcular");
        const QString warning = QStringLiteral(
            "Warning: line 3: 4 individuals in 0 collections; a species with individuals was collected in at least "
            "one collection");
        QCOMPARE(window->findChild<QLabel*>("LblAvisos")->text(), warning);
        QVERIFY(window->findChild<QLabel*>("SBarText")->text().endsWith(QStringLiteral(" - ") + warning));
    }

    // The same list finds the Portuguese window's words: the test can fail.
    void portugueseWindowIsFound() {
        const auto found = portugueseIn(shownTexts(*window), zav::ReportLanguage::Spanish);
        for (const char* word : {"Arquivo", "Salvar", "Ajuda", "Similaridade", "Fechar"})
            QVERIFY2(found.filter(QRegularExpression(QStringLiteral("^") + QLatin1String(word))).size() > 0, word);
    }

    // The system's languages decide when nothing was chosen in the menu.
    void systemLanguages() {
        const struct {
            QStringList names;
            zav::ReportLanguage language;
        } cases[] = {
            {{QStringLiteral("en-US"), QStringLiteral("pt-BR")}, zav::ReportLanguage::English},
            {{QStringLiteral("es-AR")}, zav::ReportLanguage::Spanish},
            {{QStringLiteral("pt-BR"), QStringLiteral("en-US")}, zav::ReportLanguage::Portuguese},
            {{QStringLiteral("de-DE")}, zav::ReportLanguage::Portuguese},
            {{QStringLiteral("C")}, zav::ReportLanguage::Portuguese},
            {{}, zav::ReportLanguage::Portuguese},
        };
        for (const auto& c : cases)
            QCOMPARE(zav::languageOfLocaleNames(c.names), c.language);
    }

    // Chosen in the menu: remembered for the next start, and said so in the
    // language chosen.
    void languageMenuRemembers() {
        QVERIFY(!zav::chosenInterfaceLanguage());
        user->expectInformation(QStringLiteral("ZAVIRO estará en español la próxima vez que se abra."));
        trigger("MnuIdioma_es");
        QCOMPARE(zav::chosenInterfaceLanguage(), std::optional(zav::ReportLanguage::Spanish));
        QCOMPARE(zav::startingInterfaceLanguage(), zav::ReportLanguage::Spanish);
    }

  private:
    void createWindowIn(zav::ReportLanguage language) {
        window.reset();
        zav::installInterfaceLanguage(*QCoreApplication::instance(), language);
        createWindow();
    }
    QString copyGolden(const QString& name) {
        const QString target = path(name);
        QFile::copy(QStringLiteral(ZAV_GOLDEN_DIR "/") + name, target);
        return target;
    }
};

QTEST_MAIN(WindowLanguageTest)
#include "window_language_test.moc"
