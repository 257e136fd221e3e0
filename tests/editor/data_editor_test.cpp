// The data editor on the real main window: real key events on the real
// widgets, a scripted user for the dialogs.

#include "app/ZavNovo.h"
#include "editor/data_editor.h"
#include "qtsupport/qt_interaction.h"
#include "support/file_size_limit.h"
#include "support/files.h"
#include "support/scripted_interaction.h"
#include "support/window_test.h"
#include "support/workbook_files.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <utility>
#include <vector>

using zav::test::readAll;

namespace {

// A workbook of sheets of texts, as a spreadsheet program saves it.
bool writeWorkbook(const QString& path,
                   const std::vector<std::pair<std::string, std::vector<std::vector<std::string>>>>& sheets) {
    return zav::test::writeTextXlsx(path.toStdString(), sheets);
}

} // namespace

class DataEditorTest : public zav::test::WindowTest {
    Q_OBJECT

  private:
    zav::DataEditor* editor() { return window->findChild<zav::DataEditor*>(); }
    QTableWidget* grid() { return window->findChild<QTableWidget*>("Planilha"); }
    QLineEdit* field(const char* name) { return window->findChild<QLineEdit*>(name); }
    QWidget* panel(const char* name) { return window->findChild<QWidget*>(name); }
    QString caption() { return window->findChild<QLabel*>("PanelPlan")->text(); }
    QString notice() { return window->statusBar()->currentMessage(); }
    // Types into whatever has the keyboard focus, as a user does.
    void type(const QString& keys) {
        // Key by key: the first one may open a cell editor that takes the rest.
        for (const QChar c : keys)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, m);
    }

    void replaceField(const char* name, const QString& keys) {
        field(name)->setFocus();
        field(name)->clear();
        QTest::keyClicks(field(name), keys);
    }

    void newGrid(const QString& species, const QString& collections) {
        trigger("MnuNovo");
        replaceField("nEspecie", species);
        replaceField("nColeta", collections);
        click("BtnOkCriar");
        QVERIFY(!panel("GrpPlan")->isHidden());
    }

    void openInGrid(const QString& name, const QByteArray& bytes) {
        user->expectOpen(dataFile(name, bytes));
        trigger("MnuAbrir");
        QVERIFY(editor()->gridOpen());
    }

  private slots:
    void init() {
        createWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
    }

    void cleanup() {
        if (window->isVisible() && editor()->gridOpen())
            user->expectConfirm("Sair sem salvar a planilha?", true); // the window asks as it closes
        window->close();
        window.reset();
        const auto problems = user->problems();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
    }

    void novoTypedThenSavedIsReadByCalcular() {
        trigger("MnuNovo");
        checkMenus(false, false, false, true);
        QCOMPARE(window->statusText(), QStringLiteral("Criando um novo arquivo ..."));
        QVERIFY(!panel("EntraNo")->isHidden());
        QCOMPARE(field("nEspecie")->text(), QStringLiteral("1"));
        QCOMPARE(field("nColeta")->text(), QStringLiteral("1"));
        replaceField("nEspecie", "3");
        replaceField("nColeta", "12");
        click("BtnOkCriar");
        QVERIFY(panel("EntraNo")->isHidden());
        QCOMPARE(caption(), QStringLiteral("DADOS [Especies=3 | Coletas=12]"));
        QCOMPARE(editor()->rowCount(), 4);
        QCOMPARE(editor()->cellText(1, 0), QStringLiteral("No Indiv"));
        QCOMPARE(editor()->cellText(2, 0), QStringLiteral("No Coleta"));
        for (int r = 1; r <= 3; ++r)
            QCOMPARE(editor()->cellText(0, r), QString::number(r));
        checkMenus(false, false, false, true);
        QCOMPARE(window->statusText(), QStringLiteral("Criando um novo arquivo ..."));

        // Row by row: individuals, right arrow, collections, down, left.
        grid()->setFocus();
        grid()->setCurrentCell(0, 0);
        for (const auto& [individuals, collections] :
             {std::pair{"45", "3"}, std::pair{"0", "0"}, std::pair{"1520", "12"}}) {
            type(individuals);
            key(Qt::Key_Right);
            type(collections);
            key(Qt::Key_Down);
            key(Qt::Key_Left);
        }
        const QString saved = path("levantamento.txt");
        user->expectSave(saved);
        click("BtnSalvarPlan");
        QCOMPARE(user->requests.last().fileName, QStringLiteral("new.txt"));
        QCOMPARE(user->requests.last().title, QStringLiteral("Salvar arquivo"));
        QCOMPARE(readAll(saved), QByteArray("3      12\r\n45     3\r\n0      0\r\n1520   12\r\n"));
        QVERIFY(panel("GrpPlan")->isHidden());
        checkMenus(true, true, true, true);
        QCOMPARE(window->statusText(), "Arquivo de dados gravado em " + saved);
        QCOMPARE(window->currentDataFileName(), saved);

        user->expectOpen(saved);
        trigger("MnuCalcular");
        auto* report = window->findChild<QWidget*>("Memo1");
        QVERIFY(!report->isHidden());
        const QString text = window->findChild<QPlainTextEdit*>("Memo1")->toPlainText();
        QVERIFY(text.contains("     1            45             3"));
        QVERIFY(text.contains("     3          1520            12"));
        user->expectConfirm("Fechar o relatório sem salvar?", true);
        trigger("MnuFechar");
    }

    void abrirThenSalvarWritesTheWritersLayout() {
        const QString opened = dataFile("antigo.txt", "3 12\n45 3\n0 0\n1520\t 12\n");
        user->expectOpen(opened);
        trigger("MnuAbrir");
        QCOMPARE(user->requests.last().title, QStringLiteral("Editar arquivo"));
        checkMenus(false, false, false, false);
        QCOMPARE(window->statusText(), "Editando o arquivo: " + opened);
        QCOMPARE(caption(), QStringLiteral("DADOS [Especies=3 | Coletas=12]"));
        QCOMPARE(editor()->cellText(1, 3), QStringLiteral("1520"));
        user->expectSave(opened);
        click("BtnSalvarPlan");
        QCOMPARE(user->requests.last().fileName, opened);
        QCOMPARE(readAll(opened), QByteArray("3      12\r\n45     3\r\n0      0\r\n1520   12\r\n"));
        checkMenus(true, true, true, true);
    }

    // The collections and weather of a file opened are written back after
    // its names; a new grid has none.
    void abrirThenSalvarKeepsTheCollectionsBlocks() {
        const QByteArray blocks = "[coletas]\r\n2023-01-15 1 0\r\n- 0 2\r\n[clima]\r\nchuva\r\n12,5\r\n-\r\n";
        const QString opened = dataFile("coletas.txt", "2 2\r\n1 1\r\n2 1\r\n[nomes]\r\nApis\r\n" + blocks);
        user->expectOpen(opened);
        trigger("MnuAbrir");
        user->expectSave(opened);
        click("BtnSalvarPlan");
        QCOMPARE(readAll(opened), "2      2\r\n1      1\r\n2      1\r\n[nomes]\r\nApis\r\n" + blocks);

        newGrid("2", "3");
        grid()->setFocus();
        grid()->setCurrentCell(0, 0);
        for (const char* count : {"4", "2"}) {
            type(count);
            key(Qt::Key_Right);
            type("2");
            key(Qt::Key_Down);
            key(Qt::Key_Left);
        }
        const QString fresh = path("novo.txt");
        user->expectSave(fresh);
        click("BtnSalvarPlan");
        QVERIFY(!readAll(fresh).contains("[coletas]"));
    }

    void abrirOfAShortFileGivesEmptyRows() {
        openInGrid("curto.txt", "4 10\r\n7 2\r\n");
        QCOMPARE(editor()->rowCount(), 5);
        QCOMPARE(editor()->cellText(1, 1), QStringLiteral("7"));
        for (int r = 2; r <= 4; ++r) {
            QCOMPARE(editor()->cellText(1, r), QString());
            QCOMPARE(editor()->cellText(2, r), QString());
        }
    }

    void abrirKeepsTheWholePath() {
        const QString deep = dir->path() + "/" + QString(90, QLatin1Char('p'));
        QVERIFY(QDir().mkpath(deep));
        const QString data = deep + "/dados.txt";
        QVERIFY(zav::test::writeFile(data, "2 5\r\n1 1\r\n2 2\r\n"));
        user->expectOpen(data);
        trigger("MnuAbrir");
        user->expectSave(data);
        click("BtnSalvarPlan");
        QCOMPARE(user->requests.last().fileName, data);
        QCOMPARE(readAll(data), QByteArray("2      5\r\n1      1\r\n2      2\r\n"));
    }

    void abrirOfABadFileSaysSoAndChangesNothing_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("where");
        const QString range = QStringLiteral("Linha 1: o número de espécies deve ser de 1 a 900");
        QTest::newRow("header does not convert")
            << QByteArray("x 10\r\n1 1\r\n") << QStringLiteral("Linha 1: \"x\" não é um número inteiro");
        QTest::newRow("empty file") << QByteArray() << QStringLiteral("O arquivo está vazio");
        QTest::newRow("no species") << QByteArray("0 10\r\n") << range;
        QTest::newRow("negative count") << QByteArray("-3 10\r\n") << range;
        QTest::newRow("901 species") << QByteArray("901 10\r\n1 1\r\n") << range;
        QTest::newRow("two thousand million") << QByteArray("2000000000 1\r\n1 1\r\n") << range;
    }

    void abrirOfABadFileSaysSoAndChangesNothing() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, where);
        const QString bad = dataFile("ruim.txt", bytes);
        user->expectOpen(bad);
        user->expectError("Error: Verifique o arquivo de dados!\n" + where);
        trigger("MnuAbrir");
        QVERIFY(!editor()->gridOpen());
        checkMenus(true, true, true, true);
        QCOMPARE(window->statusText(), QString());
        QCOMPARE(caption(), QStringLiteral("DADOS"));
        QCOMPARE(window->currentDataFileName(), QString());
    }

    void abrirOfAMissingFile() {
        const QString missing = path("nada.txt");
        user->expectOpen(missing);
        user->expectError("Erro: não foi possível abrir o arquivo: " + missing);
        trigger("MnuAbrir");
        QVERIFY(!editor()->gridOpen());
        user->expectOpen(std::nullopt);
        trigger("MnuAbrir"); // cancelled: nothing
        checkMenus(true, true, true, true);
    }

    void entryPanelValidation_data() {
        QTest::addColumn<QString>("species");
        QTest::addColumn<QString>("collections");
        QTest::addColumn<QString>("message");
        QTest::newRow("preset 1 and 1") << "1"
                                        << "1"
                                        << "Erro: Digite mais de uma espécie ou coleta";
        QTest::newRow("blank species") << ""
                                       << "5"
                                       << "Erro: Não deixe campo(s) em branco";
        QTest::newRow("blank collections") << "5"
                                           << "  "
                                           << "Erro: Não deixe campo(s) em branco";
        QTest::newRow("no collections") << "5"
                                        << "0"
                                        << "Erro: Digite mais de uma espécie ou coleta";
        QTest::newRow("901 species") << "901"
                                     << "5"
                                     << "Erro: Digite no máximo 900 espécies";
        QTest::newRow("huge") << "2000000000"
                              << "5"
                              << "Erro: Digite no máximo 900 espécies";
        QTest::newRow("pasted text") << "abc"
                                     << "5"
                                     << "Erro: valor inválido: abc";
        QTest::newRow("pasted collections") << "5"
                                            << "2,5"
                                            << "Erro: valor inválido: 2,5";
        QTest::newRow("out of range") << "99999999999"
                                      << "5"
                                      << "Erro: valor inválido: 99999999999";
    }

    void entryPanelValidation() {
        QFETCH(QString, species);
        QFETCH(QString, collections);
        QFETCH(QString, message);
        trigger("MnuNovo");
        field("nEspecie")->setText(species); // as pasted: the key filter is not involved
        field("nColeta")->setText(collections);
        user->expectError(message);
        click("BtnOkCriar");
        QVERIFY(!panel("EntraNo")->isHidden());
        QVERIFY(panel("GrpPlan")->isHidden());
        QCOMPARE(QApplication::focusWidget(), field("nEspecie"));
    }

    void entryPanelAcceptsTheSmallestAndTheLargestSurvey_data() {
        QTest::addColumn<QString>("species");
        QTest::addColumn<QString>("collections");
        QTest::newRow("two species, one collection") << "2"
                                                     << "1";
        QTest::newRow("900 species") << "900"
                                     << "5";
    }

    void entryPanelAcceptsTheSmallestAndTheLargestSurvey() {
        QFETCH(QString, species);
        QFETCH(QString, collections);
        newGrid(species, collections);
        QCOMPARE(editor()->rowCount(), species.toInt() + 1);
    }

    void cancelarOnTheEntryPanel() {
        trigger("MnuNovo");
        click("BtnCancelCriar");
        QVERIFY(panel("EntraNo")->isHidden());
        checkMenus(true, true, true, true);
        QCOMPARE(window->statusText(), QString());
    }

    void cancelarOnTheGridAsksFirst() {
        const QString opened = dataFile("dados.txt", "2 5\r\n3 1\r\n4 2\r\n");
        user->expectOpen(opened);
        trigger("MnuAbrir");
        grid()->setFocus();
        grid()->setCurrentCell(0, 0);
        type("9");
        user->expectConfirm("Fechar a planilha sem salvar?", false);
        click("BtnCancelarPlan");
        QVERIFY(editor()->gridOpen());
        checkMenus(false, false, false, false);
        user->expectConfirm("Fechar a planilha sem salvar?", true);
        click("BtnCancelarPlan");
        QVERIFY(!editor()->gridOpen());
        checkMenus(true, true, true, true);
        QCOMPARE(window->statusText(), QString());
        QCOMPARE(readAll(opened), QByteArray("2 5\r\n3 1\r\n4 2\r\n"));
    }

    void aNewGridIsEmpty() {
        openInGrid("dados.txt", "3 5\r\n31 1\r\n32 2\r\n33 3\r\n");
        user->expectConfirm("Fechar a planilha sem salvar?", true);
        click("BtnCancelarPlan");
        newGrid("3", "5");
        for (int r = 1; r <= 3; ++r) {
            QCOMPARE(editor()->cellText(1, r), QString());
            QCOMPARE(editor()->cellText(2, r), QString());
        }
    }

    void onlyDigitsAndBackspaceCanBeTyped() {
        trigger("MnuNovo");
        field("nEspecie")->setFocus();
        field("nEspecie")->clear();
        QTest::keyClicks(field("nEspecie"), "a-.5x7 ");
        QCOMPARE(field("nEspecie")->text(), QStringLiteral("57"));
        QTest::keyClick(field("nEspecie"), Qt::Key_Backspace);
        QCOMPARE(field("nEspecie")->text(), QStringLiteral("5"));
        QApplication::clipboard()->setText(QStringLiteral("abc"));
        QTest::keyClick(field("nEspecie"), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field("nEspecie")->text(), QStringLiteral("5"));
        QVERIFY(!panel("EntraNo")->isHidden());
        QTest::keyClick(field("nEspecie"), Qt::Key_Tab); // moves on, types nothing
        QCOMPARE(QApplication::focusWidget(), field("nColeta"));
        QCOMPARE(field("nEspecie")->text(), QStringLiteral("5"));
        QTest::keyClicks(field("nColeta"), "+1e3");
        QCOMPARE(field("nColeta")->text(), QStringLiteral("13")); // Tab selected the old "1"
        click("BtnCancelCriar");

        newGrid("2", "3");
        grid()->setFocus();
        grid()->setCurrentCell(0, 0);
        type("x1,2-");
        QCOMPARE(notice(), QStringLiteral("Apenas dígitos: 12- não é um número inteiro"));
        key(Qt::Key_V, Qt::ControlModifier); // "abc": refused as a whole
        QCOMPARE(notice(), QStringLiteral("Apenas dígitos: abc não é um número inteiro"));
        key(Qt::Key_Return);
        QCOMPARE(editor()->cellText(1, 1), QStringLiteral("12"));
        type("3");
        type("a");
        key(Qt::Key_Return); // the last row: kept, and stays
        QCOMPARE(editor()->cellText(1, 2), QStringLiteral("3"));
        QCOMPARE(grid()->currentRow(), 1);
    }

    void arrowsJumpBetweenTheDataColumns() {
        newGrid("2", "5");
        grid()->setFocus();
        grid()->setCurrentCell(1, 0);
        key(Qt::Key_Left); // already in the first column: stays
        QCOMPARE(grid()->currentColumn(), 0);
        type("12"); // editing now: the arrow must not just move the text cursor
        key(Qt::Key_Right);
        QCOMPARE(grid()->currentColumn(), 1);
        QCOMPARE(grid()->currentRow(), 1);
        QCOMPARE(editor()->cellText(1, 2), QStringLiteral("12"));
        type("4");
        key(Qt::Key_Right); // on to the name, where letters go in
        QCOMPARE(grid()->currentColumn(), 2);
        type("Apis");
        key(Qt::Key_Right); // last column: the text cursor moves
        key(Qt::Key_Left);
        QCOMPARE(grid()->currentColumn(), 2);
        key(Qt::Key_Home);
        key(Qt::Key_Left); // from the name's first character
        QCOMPARE(grid()->currentColumn(), 1);
        key(Qt::Key_Left);
        QCOMPARE(grid()->currentColumn(), 0);
        QCOMPARE(editor()->cellText(2, 2), QStringLiteral("4"));
        QCOMPARE(editor()->cellText(3, 2), QStringLiteral("Apis"));
    }

    void aLongIndividualsCountStaysReadable() {
        newGrid("2", "3");
        grid()->setFocus();
        grid()->setCurrentCell(0, 0);
        type("1234567");
        key(Qt::Key_Right);
        type("3");
        key(Qt::Key_Down);
        key(Qt::Key_Left);
        type("5");
        key(Qt::Key_Right);
        type("2");
        const QString saved = path("longo.txt");
        user->expectSave(saved);
        click("BtnSalvarPlan");
        QCOMPARE(readAll(saved), QByteArray("2      3\r\n1234567 3\r\n5      2\r\n"));
    }

    void aFailedSaveKeepsTheGridAndTheOldFile() {
        const QByteArray old("2 5\r\n3 1\r\n4 2\r\n");
        const QString opened = dataFile("dados.txt", old);
        user->expectOpen(opened);
        trigger("MnuAbrir");
        grid()->setFocus();
        grid()->setCurrentCell(0, 0);
        type("999999");
        user->expectSave(opened);
        user->expectError("Erro: não foi possível gravar o arquivo: " + opened + ": Arquivo muito grande");
        {
            zav::test::FileSizeLimit limit(12); // part of the header only
            click("BtnSalvarPlan");
        }
        QCOMPARE(readAll(opened), old);
        QVERIFY(editor()->gridOpen());
        checkMenus(false, false, false, false);
        QCOMPARE(editor()->cellText(1, 1), QStringLiteral("999999"));

        user->expectSave(opened); // the same grid saves once the disk lets it
        click("BtnSalvarPlan");
        QCOMPARE(readAll(opened), QByteArray("2      5\r\n999999 1\r\n4      2\r\n"));
    }

    // The grid's file stays protected after another survey's run, and the
    // report's proposed name keeps every dot of the survey's.
    void aReportNeverReplacesTheGridsFileAfterAnotherRun() {
        const QString gridFile = dataFile("a.txt", "2 5\r\n3 1\r\n4 2\r\n");
        openInGrid("a.txt", readAll(gridFile));
        user->expectSave(gridFile);
        click("BtnSalvarPlan");
        const QByteArray saved = readAll(gridFile);
        user->expectOpen(dataFile("dados.v2.txt", "2 5\r\n3 1\r\n4 2\r\n"));
        trigger("MnuCalcular");
        user->expectSave(gridFile);
        user->expectError("Erro: o relatório não pode substituir o arquivo de dados: " + gridFile);
        user->expectSave(std::nullopt); // the dialog stays open: cancelled
        trigger("MnuSalvar");
        QCOMPARE(user->requests.last().fileName, path("dados.v2-relatorio.txt"));
        QCOMPARE(readAll(gridFile), saved);
        user->expectConfirm("Fechar o relatório sem salvar?", true);
        trigger("MnuFechar");
    }

    // A count with a space before it, as a sheet may hold it, is never saved.
    void aCellWithALeadingSpaceIsRefusedOnSalvar() {
        const QString opened = dataFile("dados.txt", "1 5\r\n3 1\r\n");
        openInGrid("dados.txt", readAll(opened));
        grid()->item(0, 0)->setText(QStringLiteral(" 5"));
        user->expectError("Erro: a linha 1 da planilha tem um valor inválido:  5");
        click("BtnSalvarPlan");
        QCOMPARE(readAll(opened), QByteArray("1 5\r\n3 1\r\n"));
        user->expectConfirm("Fechar a planilha sem salvar?", true);
        click("BtnCancelarPlan");
    }

    // Pasting letters into a count cell, as its context menu does, changes
    // nothing; a cell that holds letters still takes digits.
    void pastingLettersIntoACellIsRefused() {
        newGrid("2", "3");
        grid()->setFocus();
        grid()->setCurrentCell(0, 0);
        type("12");
        auto* cell = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(cell);
        QApplication::clipboard()->setText(QStringLiteral("abc"));
        cell->paste();
        QCOMPARE(cell->text(), QStringLiteral("12"));
        QApplication::clipboard()->setText(QStringLiteral("34"));
        cell->paste();
        QCOMPARE(cell->text(), QStringLiteral("1234"));
    }

    // A cell that a file filled with anything at all is corrected from the
    // keyboard; what the readers cannot take is never saved.
    void badCellsAreCorrectedAndNeverSaved() {
        const QString opened = dataFile("letras.txt", "3 abc\r\nabc 1\r\n7 x\r\n");
        openInGrid("letras.txt", readAll(opened));
        struct Attempt {
            QString message;
            int row, column;
        };
        auto refused = [&](const Attempt& a) {
            user->expectError(a.message);
            click("BtnSalvarPlan");
            QCOMPARE(grid()->currentRow(), a.row);
            QCOMPARE(grid()->currentColumn(), a.column);
            QCOMPARE(readAll(opened), QByteArray("3 abc\r\nabc 1\r\n7 x\r\n"));
        };
        refused({QStringLiteral("Erro: valor inválido: abc"), 0, 0});
        field("ColetasPlan")->setText("4");
        refused({QStringLiteral("Erro: a linha 1 da planilha tem um valor inválido: abc"), 0, 0});
        // The refused cell is open for typing.
        key(Qt::Key_End);
        key(Qt::Key_Backspace);
        key(Qt::Key_Backspace);
        type("5"); // after the remaining "a": refused below, but typed
        key(Qt::Key_Down);
        QCOMPARE(editor()->cellText(1, 1), QStringLiteral("a5"));
        key(Qt::Key_Up); // the editor opens with the text selected
        type("12");
        key(Qt::Key_Down);
        QCOMPARE(editor()->cellText(1, 1), QStringLiteral("12"));
        key(Qt::Key_Right);
        key(Qt::Key_Delete);
        key(Qt::Key_Down);
        QCOMPARE(editor()->cellText(2, 2), QString());
        refused({QStringLiteral("Erro: a linha 2 da planilha tem uma célula vazia"), 1, 1});

        type("3");
        key(Qt::Key_Down);
        refused({QStringLiteral("Erro: a linha 3 da planilha tem uma célula vazia"), 2, 0});
        type("0"); // a species not caught: its collections are never read
        user->expectSave(opened);
        click("BtnSalvarPlan");
        QCOMPARE(readAll(opened), QByteArray("3      4\r\n12     1\r\n7      3\r\n0      \r\n"));
    }

    // Counts no species can have are refused by Salvar with the row and the
    // reason, the cell to correct open; the file stays as it was.
    void impossibleCountsAreNeverSaved_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("fewer individuals than collections")
            << QByteArray("2 12\r\n5 2\r\n3 4\r\n")
            << QStringLiteral("Erro: a linha 2 da planilha tem 3 indivíduos em 4 coletas; uma espécie tem ao menos um "
                              "indivíduo em cada coleta em que foi coletada")
            << 1 << 1;
        QTest::newRow("more collections than the survey")
            << QByteArray("2 12\r\n30 15\r\n5 2\r\n")
            << QStringLiteral("Erro: a linha 1 da planilha tem 15 coletas num levantamento de 12 coletas; uma espécie "
                              "não é coletada em mais coletas do que o levantamento tem")
            << 0 << 1;
        QTest::newRow("individuals in no collection")
            << QByteArray("2 12\r\n7 0\r\n5 2\r\n")
            << QStringLiteral("Erro: a linha 1 da planilha tem 7 indivíduos em 0 coletas; uma espécie com indivíduos "
                              "foi coletada em ao menos uma coleta")
            << 0 << 1;
        QTest::newRow("collections without individuals")
            << QByteArray("2 12\r\n5 2\r\n0 2\r\n")
            << QStringLiteral("Erro: a linha 2 da planilha tem 0 indivíduos em 2 coletas; uma espécie coletada tem ao "
                              "menos um indivíduo")
            << 1 << 0;
    }

    void impossibleCountsAreNeverSaved() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(int, row);
        QFETCH(int, column);
        const QString opened = dataFile("contagens.txt", bytes);
        openInGrid("contagens.txt", bytes);
        user->expectError(message);
        click("BtnSalvarPlan");
        QCOMPARE(readAll(opened), bytes);
        QVERIFY(editor()->gridOpen());
        QCOMPARE(grid()->currentRow(), row);
        QCOMPARE(grid()->currentColumn(), column);
    }

    // A count entered, typed or pasted, that would make its row's counts
    // impossible (against the survey's total of collections too) is
    // refused, the row and the reason in the status line; a row a file gave
    // impossible takes counts in any order, its problem said.
    void impossibleCountsAreRefusedAsTheyAreEntered() {
        newGrid("3", "12");
        grid()->setFocus();
        grid()->setCurrentCell(0, 0);
        type("3");
        key(Qt::Key_Right);
        QCOMPARE(notice(), QString()); // the collections are still to come
        type("4");
        key(Qt::Key_Down);
        QCOMPARE(notice(), QStringLiteral("Não aceito: a linha 1 teria 3 indivíduos em 4 coletas; uma espécie tem ao "
                                          "menos um indivíduo em cada coleta em que foi coletada"));
        QCOMPARE(editor()->cellText(2, 1), QString());
        type("13");
        key(Qt::Key_Left);
        type("20");
        key(Qt::Key_Down);
        QCOMPARE(notice(), QStringLiteral("Não aceito: a linha 2 teria 13 coletas num levantamento de 12 coletas; uma "
                                          "espécie não é coletada em mais coletas do que o levantamento tem"));
        QCOMPARE(editor()->cellText(1, 2), QString());
        QApplication::clipboard()->setText(QStringLiteral("5\t1\n0\t2\n"));
        grid()->setCurrentCell(1, 0);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(notice(), QStringLiteral("Não aceito: a linha 3 teria 0 indivíduos em 2 coletas; uma espécie "
                                          "coletada tem ao menos um indivíduo"));
        QCOMPARE(editor()->cellText(1, 2), QString()); // nothing pasted
        user->expectConfirm("Fechar a planilha sem salvar?", true);
        click("BtnCancelarPlan");

        openInGrid("impossivel.txt", "2 12\r\n3 4\r\n5 2\r\n");
        grid()->setFocus();
        grid()->setCurrentCell(0, 0);
        type("2");
        key(Qt::Key_Right);
        QCOMPARE(editor()->cellText(1, 1), QStringLiteral("2"));
        QCOMPARE(notice(), QStringLiteral("A linha 1 da planilha tem 2 indivíduos em 4 coletas; uma espécie tem ao "
                                          "menos um indivíduo em cada coleta em que foi coletada"));
        type("2");
        key(Qt::Key_Down);
        QCOMPARE(editor()->cellText(2, 1), QStringLiteral("2"));
        // A smaller total of collections is said against the rows.
        replaceField("ColetasPlan", "1");
        QTest::keyClick(field("ColetasPlan"), Qt::Key_Return);
        QCOMPARE(notice(), QStringLiteral("A linha 1 da planilha tem 2 coletas num levantamento de 1 coleta; uma "
                                          "espécie não é coletada em mais coletas do que o levantamento tem"));
        user->expectConfirm("Fechar a planilha sem salvar?", true);
        click("BtnCancelarPlan");
    }

    // Return confirms and Escape cancels a panel; Alt keys reach the menus;
    // the help panel gives the menus back as it found them; a changed grid
    // is not replaced without a question.
    void panelKeysAndMenuStates() {
        trigger("MnuNovo");
        replaceField("nEspecie", "3");
        QTest::keyClick(field("nColeta"), Qt::Key_Escape);
        QVERIFY(panel("EntraNo")->isHidden());
        checkMenus(true, true, true, true);

        trigger("MnuNovo");
        QTest::keyClick(field("nEspecie"), Qt::Key_J, Qt::AltModifier);
        auto* ajuda = window->findChild<QMenu*>("MnuAjuda");
        QTRY_VERIFY(ajuda->isVisible());
        ajuda->hide();
        replaceField("nEspecie", "2");
        QTest::keyClick(field("nEspecie"), Qt::Key_Return);
        QVERIFY(editor()->gridOpen());
        checkMenus(false, false, false, true);

        trigger("MnuZAV");
        QTest::keyClick(window->findChild<QPushButton*>("BtnOKAjuda"), Qt::Key_Escape);
        QVERIFY(window->findChild<QWidget*>("Grupo1")->isHidden());
        checkMenus(false, false, false, true);

        key(Qt::Key_N, Qt::ControlModifier); // the menu is off: its shortcut too
        QVERIFY(panel("EntraNo")->isHidden());
        editor()->MnuNovoClick(); // nothing typed yet: no question
        QVERIFY(!panel("EntraNo")->isHidden());
        replaceField("nEspecie", "2");
        QTest::keyClick(field("nEspecie"), Qt::Key_Return);
        grid()->setFocus();
        grid()->setCurrentCell(0, 0);
        type("4");
        key(Qt::Key_Down);
        user->expectConfirm("Descartar as alterações da planilha?", false);
        editor()->MnuNovoClick();
        QVERIFY(editor()->gridOpen());
        user->expectOpen(dataFile("outro.txt", "2 5\r\n1 1\r\n2 2\r\n"));
        user->expectConfirm("Descartar as alterações da planilha?", false);
        editor()->MnuAbrirClick();
        QCOMPARE(editor()->cellText(1, 1), QStringLiteral("4"));
    }

    // A spreadsheet's rows reach the grid through EntraNo; the total of
    // collections is the researcher's to type.
    void importedSpreadsheetFillsTheGrid() {
        user->expectOpen(dataFile("ruim.csv", "especie;individuos;coletas\nA;5;x\n"));
        user->expectSheet(zav::SheetChoice{});
        user->expectError(QStringLiteral("Erro: planilha, linha 2, coluna \"coletas\": \"x\" não é um número inteiro"));
        trigger("MnuImportar");
        QVERIFY(panel("EntraNo")->isHidden());
        checkMenus(true, true, true, true);

        user->expectOpen(dataFile("campo.csv", "especie;individuos;coletas\nA;5;2\n\"B; b\";3;1\nTotal;8;3\n"));
        user->expectSheet(zav::SheetChoice{});
        trigger("MnuImportar");
        QVERIFY(user->sheetRequests.last().sheets.isEmpty()); // a text: no sheet to choose
        QCOMPARE(field("nEspecie")->text(), QStringLiteral("2"));
        QCOMPARE(window->statusText(),
                 "Importando a planilha: " + path("campo.csv") + " (Linha 4 ignorada: linha de totais)");
        user->expectError("Erro: Não deixe campo(s) em branco");
        QTest::keyClick(field("nColeta"), Qt::Key_Return);
        QTest::keyClicks(field("nColeta"), "10");
        QTest::keyClick(field("nColeta"), Qt::Key_Return);
        QVERIFY(editor()->gridOpen());
        user->expectSave(std::nullopt);
        click("BtnSalvarPlan");
        QCOMPARE(user->requests.last().fileName, path("campo.txt"));
        user->expectSave(path("campo.txt"));
        click("BtnSalvarPlan");
        QCOMPARE(readAll(path("campo.txt")),
                 QByteArray("2      10\r\n5      2\r\n3      1\r\n[nomes]\r\nA\r\nB; b\r\n"));
    }

    // A workbook's sheet chosen by name, read one column per collection:
    // the total of collections comes from the sheet, its column of totals
    // left out and said.
    void aWorkbookSheetByCollectionFillsTheGrid() {
        const QString book = path("campo.xlsx");
        QVERIFY(writeWorkbook(book, {{"Resumo", {{"x"}}},
                                     {"Coletas",
                                      {{"especie", "c1", "c2", "c3", "Total"},
                                       {"Apis mellifera", "2", "0", "1", "3"},
                                       {"Trigona", "0", "0", "4", "4"}}}}));
        user->expectOpen(book);
        user->expectSheet(zav::SheetChoice{1, true});
        trigger("MnuImportar");
        QCOMPARE(user->sheetRequests.last().sheets, QStringList({"Resumo", "Coletas"}));
        QCOMPARE(field("nColeta")->text(), QStringLiteral("3"));
        QCOMPARE(window->statusText(),
                 "Importando a planilha: " + book + " [Coletas] (Coluna 5 ignorada: coluna de totais)");
        QTest::keyClick(field("nColeta"), Qt::Key_Return);
        QVERIFY(editor()->gridOpen());
        QCOMPARE(QStringList({editor()->cellText(1, 1), editor()->cellText(2, 1), editor()->cellText(3, 1)}),
                 QStringList({"3", "2", "Apis mellifera"}));
        QCOMPARE(editor()->cellText(3, 2), QStringLiteral("Trigona"));
        user->expectConfirm("Fechar a planilha sem salvar?", true);
        click("BtnCancelarPlan");
    }

    // The collections of an import reach the "Por coleta" view: a sheet
    // dated in its header with the workbook's "clima" sheet; the records of
    // a field database.
    void importedCollectionsReachThePorColetaView() {
        const QString book = path("datas.xlsx");
        QVERIFY(writeWorkbook(
            book, {{"Coletas",
                    {{"Espécie", "15/01/2023", "15/02/2023", "15/03/2023"},
                     {"Apis", "2", "0", "1"},
                     {"Trigona", "0", "4", "0"}}},
                   {"Clima", {{"data", "chuva"}, {"15/02/2023", "8"}, {"15/01/2023", "3,5"}, {"15/03/2023", ""}}}}));
        user->expectOpen(book);
        user->expectSheet(zav::SheetChoice{0, true});
        trigger("MnuImportar");
        QCOMPARE(window->statusText(),
                 "Importando a planilha: " + book + " [Coletas] (Clima lido da planilha \"Clima\": 1 variável)");
        QTest::keyClick(field("nColeta"), Qt::Key_Return);
        click("BtnPorColeta");
        auto* counts = window->findChild<QTableWidget*>("PlanilhaColetas");
        auto* weather = window->findChild<QTableWidget*>("PlanilhaClima");
        QCOMPARE(counts->horizontalHeaderItem(5)->text(), QStringLiteral("3\n15/03/2023"));
        QCOMPARE(counts->item(2, 4)->text(), QStringLiteral("4"));
        QCOMPARE(weather->item(1, 0)->text(), QStringLiteral("3,5"));
        user->expectSave(path("datas.txt"));
        click("BtnSalvarPlan");
        QVERIFY(readAll(path("datas.txt"))
                    .endsWith(
                        "[coletas]\r\n2023-01-15 2 0\r\n2023-02-15 0 4\r\n2023-03-15 1 0\r\n[clima]\r\nchuva\r\n3,5\r\n"
                        "8\r\n-\r\n"));

        user->expectOpen(dataFile("registros.csv", "data;espécie;n\n2023-02-01;Apis;2\n2023-01-01;Bombus;1\n"
                                                   "2023-02-01;Apis;1\n"));
        user->expectSheet(zav::SheetChoice{0, false, true});
        trigger("MnuImportar");
        QCOMPARE(field("nEspecie")->text(), QStringLiteral("2"));
        QCOMPARE(field("nColeta")->text(), QStringLiteral("2"));
        QTest::keyClick(field("nColeta"), Qt::Key_Return);
        user->expectSave(path("registros.txt"));
        click("BtnSalvarPlan");
        QCOMPARE(readAll(path("registros.txt")),
                 QByteArray("2      2\r\n3      1\r\n1      1\r\n[nomes]\r\nApis\r\nBombus\r\n"
                            "[coletas]\r\n2023-01-01 0 1\r\n2023-02-01 3 0\r\n"));
    }

    // The dialog proposes one column per collection where the first rows
    // show it, sheet by sheet, else the last choice; a sheet of a workbook
    // of several proposes a data file of its own.
    void importProposesTheLayoutAndEachSheetsFile() {
        user->expectOpen(dataFile("datas.csv", "Táxon;01/03;08/03;15/03\nA;1;;2\n"));
        user->expectSheet(zav::SheetChoice{0, true});
        trigger("MnuImportar");
        QCOMPARE(user->sheetRequests.last().perCollection, true);
        click("BtnCancelCriar");
        user->expectOpen(dataFile("sem-cabecalho.csv", "5;2\n7;3\n"));
        user->expectSheet(std::nullopt);
        trigger("MnuImportar");
        QCOMPARE(user->sheetRequests.last().perCollection, true); // remembered

        const QString book = path("Levantamento 2023.xlsx");
        QVERIFY(writeWorkbook(book, {{"Resumo", {{"especie", "n", "col"}, {"A", "1", "1"}}},
                                     {"Mata Úmida",
                                      {{"Levantamento Mata 2023"},
                                       {"Espécie", "jan", "fev", "mar"},
                                       {"Apis", "3", "0", "1"},
                                       {"Trigona α", "0", "2", "0"}}},
                                     {"Notas", {{"x"}}}}));
        user->expectOpen(book);
        user->expectSheet(zav::SheetChoice{1, true});
        trigger("MnuImportar");
        QCOMPARE(user->sheetRequests.last().perCollection, false);
        QCOMPARE(user->sheetProposals, (QList<std::optional<bool>>{false, true, std::nullopt}));
        QCOMPARE(window->statusText(), "Importando a planilha: " + book +
                                           " [Mata Úmida] (Linha 1 ignorada: título) (Nomes com caracteres que o "
                                           "Windows-1252 não tem (o primeiro na espécie 2, \"Trigona α\") são "
                                           "gravados com \"?\" no arquivo de dados)");
        QCOMPARE(field("nColeta")->text(), QStringLiteral("3"));
        QTest::keyClick(field("nColeta"), Qt::Key_Return);
        QCOMPARE(editor()->cellText(3, 1), QStringLiteral("Apis"));
        user->expectSave(std::nullopt);
        click("BtnSalvarPlan");
        QCOMPARE(user->requests.last().fileName, path("levantamento-2023-mata-umida.txt"));
    }

    // The real dialog: choosing a sheet ticks the box as that sheet
    // proposes, and the box stays the user's to change.
    void theImportDialogFollowsEachSheetsProposal() {
        zav::QtInteraction dialogs;
        const zav::SheetChoiceRequest request{
            "livro.xlsx", {"A", "B", "C"}, false, [](qsizetype sheet) -> std::optional<bool> {
                if (sheet == 2) return std::nullopt;
                return sheet == 1;
            }};
        QList<bool> ticked;
        QTimer::singleShot(0, [&] {
            auto* dialog = QApplication::activeModalWidget();
            auto* sheets = dialog->findChild<QComboBox*>("CmbPlanilha");
            auto* box = dialog->findChild<QCheckBox*>("ChkPorColeta");
            ticked << box->isChecked();
            for (const int sheet : {1, 2, 0, 1}) {
                sheets->setCurrentIndex(sheet);
                ticked << box->isChecked();
            }
            box->setChecked(false); // the user's word is the last
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        const auto choice = dialogs.chooseSheet(request);
        QVERIFY(choice.has_value());
        QCOMPARE(ticked, (QList<bool>{false, true, true, false, true}));
        QCOMPARE(choice->sheet, 1);
        QCOMPARE(choice->perCollection, false);
    }

    // Names typed and read back, accents kept through the Windows-1252 file.
    void namesRoundTripThroughTheGrid() {
        const QString data = dataFile("nomes.txt", "3 12\r\n45 3\r\n0 0\r\n7 1\r\n[nomes]\r\nApis mellifera\r\n");
        openInGrid("nomes.txt", readAll(data));
        QCOMPARE(editor()->cellText(3, 1), QStringLiteral("Apis mellifera"));
        grid()->setFocus();
        grid()->setCurrentCell(2, 2);
        type("Jata");
        QKeyEvent accent(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("í"));
        QApplication::sendEvent(QApplication::focusWidget(), &accent);
        type(" mirim");
        key(Qt::Key_Return);
        user->expectSave(data);
        click("BtnSalvarPlan");
        QCOMPARE(readAll(data), QByteArray("3      12\r\n45     3\r\n0      0\r\n7      1\r\n[nomes]\r\n"
                                           "Apis mellifera\r\n\r\nJata\xED mirim\r\n"));
        openInGrid("nomes.txt", readAll(data));
        QCOMPARE(editor()->cellText(3, 3), QStringLiteral("Jataí mirim"));
        QCOMPARE(editor()->cellText(3, 2), QString());

        // A block's mark is no name; a name Windows-1252 cannot hold makes
        // the file UTF-8 rather than a "?".
        grid()->item(1, 2)->setText(QStringLiteral(" [Clima]"));
        user->expectError("Erro: a linha 2 tem o nome  [Clima], que é a marca de um bloco do arquivo; mude o nome");
        click("BtnSalvarPlan");
        grid()->item(1, 2)->setText(QStringLiteral("Ωmega"));
        user->expectSave(data);
        click("BtnSalvarPlan");
        QCOMPARE(readAll(data), QByteArray("3      12\r\n45     3\r\n0      0\r\n7      1\r\n[nomes]\r\n"
                                           "Apis mellifera\r\n\xCE\xA9mega\r\nJata\xC3\xAD mirim\r\n"));
    }

    // A UTF-8 file is saved in UTF-8, its names whole; a names block the
    // reader could not read whole is never dropped without asking.
    void namesAreSavedAsTheyCameAndNeverDroppedUnasked() {
        const QByteArray utf8("\xEF\xBB\xBF"
                              "2 12\r\n5 2\r\n3 1\r\n[nomes]\r\nsa\xC3\xBAva-lim\xC3\xA3o\r\n");
        openInGrid("utf8.txt", utf8);
        QCOMPARE(editor()->cellText(3, 1), QStringLiteral("saúva-limão"));
        const QString saved = dataFile("utf8.txt", utf8);
        user->expectSave(saved);
        click("BtnSalvarPlan");
        QCOMPARE(readAll(saved), QByteArray("\xEF\xBB\xBF"
                                            "2      12\r\n5      2\r\n3      1\r\n[nomes]\r\n"
                                            "sa\xC3\xBAva-lim\xC3\xA3o\r\n"));

        const QByteArray cut("2 12\r\n5 2\r\n3 1\r\n[nomes]\r\nApis\x1A"
                             "Bombus\r\n");
        openInGrid("cortado.txt", cut);
        QVERIFY(window->statusText().contains(QStringLiteral("Ctrl-Z")));
        user->expectConfirm(QString(), false);
        click("BtnSalvarPlan");
        QCOMPARE(readAll(dataFile("cortado.txt", cut)), cut);
        QVERIFY(editor()->gridOpen());
    }

    // A spreadsheet's block lands from the current cell, growing the grid;
    // every change is undone and redone; a selection copies as a block.
    void pasteUndoRedoAndCopy() {
        newGrid("2", "5");
        grid()->setFocus();
        grid()->setCurrentCell(1, 0);
        type("9");
        QString block;
        for (int i = 1; i <= 40; ++i)
            block += QStringLiteral("%1\t%2\tEspécie %1\r\n").arg(i).arg((i - 1) % 5 + 1);
        QApplication::clipboard()->setText(block);
        // Over a filled row, asked first, as spreadsheets do.
        user->expectConfirm(QStringLiteral("Substituir 1 linha preenchida?"), false);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(editor()->rowCount(), 3);
        QCOMPARE(editor()->cellText(1, 2), QStringLiteral("9"));
        user->expectConfirm(QStringLiteral("Substituir 1 linha preenchida?"), true);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(editor()->rowCount(), 42);
        QCOMPARE(field("EspeciesPlan")->text(), QStringLiteral("41"));
        QCOMPARE(caption(), QStringLiteral("DADOS [Especies=41 | Coletas=5]"));
        QCOMPARE(editor()->cellText(0, 41), QStringLiteral("41"));
        QCOMPARE(QStringList({editor()->cellText(1, 41), editor()->cellText(2, 41), editor()->cellText(3, 41)}),
                 QStringList({"40", "5", "Espécie 40"}));
        QCOMPARE(editor()->cellText(1, 2), QStringLiteral("1")); // the 9 pasted over

        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor()->rowCount(), 3);
        QCOMPARE(editor()->cellText(1, 2), QStringLiteral("9"));
        QCOMPARE(caption(), QStringLiteral("DADOS [Especies=2 | Coletas=5]"));
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor()->cellText(1, 2), QString());
        key(Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier);
        key(Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(editor()->rowCount(), 42);
        QCOMPARE(editor()->cellText(3, 41), QStringLiteral("Espécie 40"));
        // Rows counted once however many of their cells are filled; the
        // names alone count too.
        grid()->setCurrentCell(39, 2);
        QApplication::clipboard()->setText(QStringLiteral("a\nb\nc\nd\n"));
        user->expectConfirm(QStringLiteral("Substituir 2 linhas preenchidas?"), false);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(editor()->rowCount(), 42);
        QCOMPARE(editor()->cellText(3, 40), QStringLiteral("Espécie 39"));

        grid()->clearSelection();
        grid()->setCurrentCell(1, 0);
        for (const auto arrow : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Right})
            key(arrow, Qt::ShiftModifier);
        key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1\t1\tEspécie 1\n2\t2\tEspécie 2\n"));
        user->expectConfirm("Fechar a planilha sem salvar?", true);
        click("BtnCancelarPlan");
    }

    // "Por coleta": a file's collections and weather shown, a count edited
    // with its totals following, the species lines and the blocks saved
    // together; species lines that disagree with the collections refused.
    void porColetaEditsTheCollectionsAndSavesThem() {
        openInGrid("coletas.txt", "2 3\r\n3 2\r\n4 1\r\n[nomes]\r\nApis\r\nBombus\r\n[coletas]\r\n2023-01-15 2 0\r\n"
                                  "2023-02-15 0 4\r\n2023-03-15 1 0\r\n[clima]\r\nchuva\r\n12\r\n-\r\n3,5\r\n");
        click("BtnPorColeta");
        auto* counts = window->findChild<QTableWidget*>("PlanilhaColetas");
        auto* weather = window->findChild<QTableWidget*>("PlanilhaClima");
        QVERIFY(counts->isVisible() && !grid()->isVisible());
        const auto at = [](QTableWidget* table, int row, int column) {
            return table->item(row, column) ? table->item(row, column)->text() : QString();
        };
        QCOMPARE(counts->horizontalHeaderItem(3)->text(), QStringLiteral("1\n15/01/2023"));
        QCOMPARE(QStringList({at(counts, 1, 0), at(counts, 1, 1), at(counts, 1, 2), at(counts, 1, 3)}),
                 QStringList({"Apis", "3", "2", "2"}));
        QCOMPARE(QStringList({at(weather, 0, 0), at(weather, 1, 0), at(weather, 2, 0), at(weather, 3, 0)}),
                 QStringList({"chuva", "12", "", "3,5"}));
        QVERIFY(!(counts->item(1, 1)->flags() & Qt::ItemIsEditable)); // totals computed
        counts->item(1, 4)->setText("5");
        QCOMPARE(QStringList({at(counts, 1, 1), at(counts, 1, 2)}), QStringList({"8", "3"}));
        weather->item(2, 0) ? weather->item(2, 0)->setText("7") : weather->setItem(2, 0, new QTableWidgetItem("7"));

        click("BtnPorColeta"); // back to the species, their totals from the collections
        QVERIFY(grid()->isVisible());
        QCOMPARE(QStringList({editor()->cellText(1, 1), editor()->cellText(2, 1)}), QStringList({"8", "3"}));
        // A species line changed by hand no longer agrees.
        grid()->item(1, 0)->setText("5");
        user->expectError("Erro: a linha 2 soma 4 indivíduos em 1 coletas na planilha por coleta, mas a planilha por "
                          "espécie diz 5 em 1; corrija uma das duas");
        click("BtnSalvarPlan");
        grid()->item(1, 0)->setText("4");
        const QString saved = path("salvo.txt");
        user->expectSave(saved);
        click("BtnSalvarPlan");
        QCOMPARE(readAll(saved),
                 QByteArray("2      3\r\n8      3\r\n4      1\r\n[nomes]\r\nApis\r\nBombus\r\n[coletas]\r\n"
                            "2023-01-15 2 0\r\n2023-02-15 5 4\r\n2023-03-15 1 0\r\n[clima]\r\nchuva\r\n"
                            "12\r\n7\r\n3,5\r\n"));
    }

    // A new survey typed "Por coleta": a block with its dates pasted from a
    // spreadsheet, a block over the computed columns refused.
    void porColetaTakesAPastedBlockWithItsDates() {
        newGrid("2", "2");
        click("BtnPorColeta");
        auto* counts = window->findChild<QTableWidget*>("PlanilhaColetas");
        QCOMPARE(counts->columnCount(), 5);
        counts->setFocus();
        counts->setCurrentCell(0, 1);
        QApplication::clipboard()->setText("1\t2\n");
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(notice(), QStringLiteral("Não colado: cole a partir de uma coluna de coleta (as colunas Indiv e "
                                          "Coletas são calculadas)"));
        counts->setCurrentCell(0, 3);
        QApplication::clipboard()->setText("x\t2\n");
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(notice(), QStringLiteral("Não colado: x não é uma data (aaaa-mm-dd ou dd/mm/aaaa)"));
        QApplication::clipboard()->setText("15/01/2023\t15/02/2023\t2023-03-15\r\n1\t2\t0\r\n0\t3\t3\r\n");
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(counts->columnCount(), 6); // a third collection
        QCOMPARE(counts->item(2, 1)->text(), QStringLiteral("6"));
        QCOMPARE(counts->item(2, 2)->text(), QStringLiteral("2"));
        const QString saved = path("novo.txt");
        user->expectSave(saved);
        click("BtnSalvarPlan");
        QCOMPARE(readAll(saved), QByteArray("2      3\r\n3      2\r\n6      2\r\n[coletas]\r\n2023-01-15 1 0\r\n"
                                            "2023-02-15 2 3\r\n2023-03-15 0 3\r\n"));
    }

    // At 900 rows nothing makes the grid longer, and what fits still goes in.
    void gridStopsAt900Rows() {
        newGrid("900", "5");
        grid()->setFocus();
        const struct {
            int row;
            QString clipboard;
            QString notice; // empty: pasted
        } pastes[] = {
            {899, QStringLiteral("1\t1\n2\t2\n"), QStringLiteral("Erro: a colagem passaria de 900 espécies")},
            {898, QStringLiteral("1\t1\n2\t2\n"), QString()},
        };
        for (const auto& p : pastes) {
            window->statusBar()->clearMessage();
            grid()->setCurrentCell(p.row, 0);
            QApplication::clipboard()->setText(p.clipboard);
            key(Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(notice(), p.notice);
            QCOMPARE(editor()->rowCount(), 901);
        }
        QCOMPARE(editor()->cellText(1, 900), QStringLiteral("2"));
        key(Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(notice(), QStringLiteral("Erro: no máximo 900 espécies"));
        QCOMPARE(editor()->rowCount(), 901);
        field("EspeciesPlan")->setFocus();
        field("EspeciesPlan")->selectAll();
        QTest::keyClicks(field("EspeciesPlan"), "901");
        QTest::keyClick(field("EspeciesPlan"), Qt::Key_Return);
        QCOMPARE(notice(), QStringLiteral("Erro: o número de espécies deve ser de 1 a 900"));
        QCOMPARE(field("EspeciesPlan")->text(), QStringLiteral("900"));
    }

    // An undo that shortens the grid keeps the current cell inside it.
    void undoKeepsTheCurrentCellInsideTheGrid() {
        openInGrid("curta.txt", "2 5\r\n1 1\r\n2 2\r\n");
        grid()->setFocus();
        grid()->setCurrentCell(1, 0);
        QApplication::clipboard()->setText(QStringLiteral("3\n3\n3\n3\n"));
        user->expectConfirm(QStringLiteral("Substituir 1 linha preenchida?"), true);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(editor()->rowCount(), 6);
        grid()->setCurrentCell(4, 1);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor()->rowCount(), 3);
        QCOMPARE(grid()->currentRow(), 1);
        QCOMPARE(grid()->currentColumn(), 1);
    }

    // Rows inserted and deleted renumber the species; the species count
    // adds rows or, after a question when they hold something, removes them.
    void rowsAndTheSpeciesCount() {
        openInGrid("dados.txt", "3 5\r\n31 1\r\n32 2\r\n33 3\r\n");
        grid()->setFocus();
        grid()->setCurrentCell(1, 0);
        key(Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(editor()->rowCount(), 5);
        QCOMPARE(QStringList({editor()->cellText(1, 2), editor()->cellText(1, 3), editor()->cellText(0, 4)}),
                 QStringList({"", "32", "4"}));
        QCOMPARE(field("EspeciesPlan")->text(), QStringLiteral("4"));
        grid()->setCurrentCell(0, 0);
        key(Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(editor()->cellText(1, 1), QString());
        QCOMPARE(editor()->rowCount(), 4);

        auto count = [&](const QString& n) {
            field("EspeciesPlan")->setFocus();
            field("EspeciesPlan")->selectAll();
            QTest::keyClicks(field("EspeciesPlan"), n);
            QTest::keyClick(field("EspeciesPlan"), Qt::Key_Return);
        };
        count("5"); // two empty rows at the end
        QCOMPARE(editor()->rowCount(), 6);
        QCOMPARE(editor()->cellText(1, 5), QString());
        count("3"); // only empty rows go: no question
        QCOMPARE(editor()->rowCount(), 4);
        user->expectConfirm("Apagar 2 linhas preenchidas?", false, "Apagar as linhas");
        count("1");
        QCOMPARE(editor()->rowCount(), 4);
        user->expectConfirm("Apagar 1 linha preenchida?", false, "Apagar a linha");
        count("2");
        QCOMPARE(editor()->rowCount(), 4);
        QCOMPARE(field("EspeciesPlan")->text(), QStringLiteral("3"));
        user->expectConfirm("Apagar 1 linha preenchida?", true);
        count("2");
        QCOMPARE(editor()->rowCount(), 3);
        grid()->setFocus();
        grid()->setCurrentCell(0, 0);
        type("0");
        user->expectSave(path("dados.txt"));
        click("BtnSalvarPlan");
        QCOMPARE(readAll(path("dados.txt")), QByteArray("2      5\r\n0      \r\n32     2\r\n"));
    }

    // Enter goes down and what is typed replaces the cell reached.
    void enterMovesDownAndTypingReplaces() {
        openInGrid("dados.txt", "3 5\r\n31 1\r\n32 2\r\n33 3\r\n");
        grid()->setFocus();
        grid()->setCurrentCell(0, 0);
        for (const char* keys : {"10", "20"}) {
            type(keys);
            key(Qt::Key_Return);
        }
        QCOMPARE(QStringList({editor()->cellText(1, 1), editor()->cellText(1, 2), editor()->cellText(1, 3)}),
                 QStringList({"10", "20", "33"}));
        QCOMPARE(grid()->currentRow(), 2);
        type("8,");
        QCOMPARE(notice(), QStringLiteral("Apenas dígitos: 8, não é um número inteiro"));
        QApplication::clipboard()->setText(QStringLiteral("8,5"));
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(notice(), QStringLiteral("Apenas dígitos: 8,5 não é um número inteiro"));
        key(Qt::Key_Return);
        QCOMPARE(editor()->cellText(1, 3), QStringLiteral("8"));
    }

    // Escape leaves an unchanged grid at once and asks for a changed one.
    void escapeCancelsTheGrid() {
        openInGrid("dados.txt", "2 5\r\n3 1\r\n4 2\r\n");
        grid()->setFocus();
        grid()->setCurrentCell(0, 0);
        key(Qt::Key_Escape);
        QVERIFY(!editor()->gridOpen());
        openInGrid("dados.txt", "2 5\r\n3 1\r\n4 2\r\n");
        grid()->setFocus();
        grid()->setCurrentCell(0, 2);
        type("A");
        user->expectConfirm("Descartar as alterações da planilha?", false);
        key(Qt::Key_Escape);
        QVERIFY(editor()->gridOpen());
        user->expectConfirm("Descartar as alterações da planilha?", true);
        key(Qt::Key_Escape);
        QVERIFY(!editor()->gridOpen());
        checkMenus(true, true, true, true);
    }

    void closingTheWindowWithTheGridOpenAsks() {
        newGrid("2", "1");
        user->expectConfirm("Sair sem salvar a planilha?", false);
        QVERIFY(!window->close());
        QVERIFY(window->isVisible());
        user->expectConfirm("Sair sem salvar a planilha?", true);
        QVERIFY(window->close());
    }
};

QTEST_MAIN(DataEditorTest)
#include "data_editor_test.moc"
