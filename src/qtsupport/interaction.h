#pragma once
// Every modal interaction of the program with the user, and the clock, go
// through these interfaces, so that tests can answer them.

#include "data/clock.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QPrinter;

namespace zav {

struct FileDialogRequest {
    QString title;
    QString filter;        // "*.txt", or filters separated by ";;"
    QString defaultSuffix; // "txt"
    QString directory;     // where the dialog starts
    QString fileName;      // pre-filled name, may be empty
    // The reason a chosen path will not do, shown while the dialog stays
    // open for another name (before any question about replacing a file);
    // empty when the path will do.
    std::function<QString(const QString& path)> refuse = {};
    // Names not listed while the first filter is chosen.
    QStringList hiddenUnderFirstFilter = {};
};

// The names this program gives its reports ("*-relatorio.txt", ...): one
// for each kind of run.
QStringList reportNamePatterns();

// The data files, with anything else one choice away; this program's own
// reports, also ".txt", are not listed among the data files.
inline FileDialogRequest dataFileRequest(const QString& title, const QString& fileName = {}) {
    return {title,
            QStringLiteral("Arquivos de dados (*.txt);;Todos os arquivos (*)"),
            QStringLiteral("txt"),
            QString(),
            fileName,
            {},
            reportNamePatterns()};
}

// What the spreadsheet import asks before it reads a file: the sheet of a
// workbook, and whether the sheet holds one column per collection.
struct SheetChoiceRequest {
    QString file;
    QStringList sheets;         // a workbook's sheets; empty for a CSV or TSV text
    bool perCollection = false; // the choice proposed for the first sheet
    // What another sheet's first rows propose when it is chosen (true: one
    // column per collection), nothing when they do not tell; may be empty.
    std::function<std::optional<bool>(qsizetype sheet)> proposeFor = {};
};
struct SheetChoice {
    qsizetype sheet = 0; // an index into the request's sheets (0 without any)
    bool perCollection = false;
    bool records = false; // one row per record: date, species, count
};

class Interaction {
  public:
    virtual ~Interaction() = default;

    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;

    virtual void information(const QString& text) = 0;
    virtual void error(const QString& text) = 0;
    // A question that names what it confirms ("Fechar o relatório sem
    // salvar?"), answered by a button that names the action ("Fechar sem
    // salvar") or by "Cancelar", the default: Enter cancels. True on the
    // action.
    virtual bool confirm(const QString& text, const QString& action) = 0;

    // The print dialog: sets `printer` up as the user chooses; true when the
    // user chose to print. `pdfFile` is the file proposed when the user
    // prints to a PDF file.
    virtual bool choosePrinter(QPrinter& printer, const QString& pdfFile) = 0;

    // The names of a similarity's or comparison's treatments, T1 first, as
    // the user edits the `proposed` ones; nothing when the user cancelled.
    virtual std::optional<QStringList> nameTreatments(const QStringList& files, const QStringList& proposed) = 0;

    // The import's questions in one dialog; nothing when the user cancelled.
    virtual std::optional<SheetChoice> chooseSheet(const SheetChoiceRequest& request) = 0;

    // A whole number from `minimum` to `maximum`, `value` proposed, asked
    // under `title` with `label` beside the field; nothing when the user
    // cancelled.
    virtual std::optional<int> askNumber(const QString& title, const QString& label, int value, int minimum,
                                         int maximum) = 0;
};

} // namespace zav
