#pragma once
// A report as the window shows it, with the run it was made from: what the
// charts, printing, the PDF and the table exports are made of. Nothing is
// parsed back from the text. One function makes it for every kind of run;
// what differs between kinds is said by the table of run kinds.

#include "data/date_time.h"
#include "runs/run_kinds.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace zav {

struct ReportDocument {
    std::vector<std::string> lines; // Windows-1252, as shown
    // The report's language, and its PDF's charts' (the chart window may
    // speak another, for a paper).
    ReportLanguage language = ReportLanguage::Portuguese;
    QString name;             // page headings, the chart window's title
    AnyRun run;               // its treatments under the names the user gave them
    QStringList sources = {}; // the data files it was computed from, in order
    bool edited = false;      // the user changed the text: pages say "(editado)"
    // Notes on how a similarity's or comparison's species were paired
    // (UTF-8), as its report prints them.
    std::vector<std::string> notes = {};
    // The data file's warnings (SpeciesTable::warnings, UTF-8): shown under
    // the report in the window, never part of it.
    std::vector<std::string> warnings = {};
};

// The document of a run of any kind, its report in the window's language:
// the one way a run reaches the window. `shownPaths` are the data files as
// the user chose them (the run's own absolute names when empty); `names`
// name a several files' run's treatments (their file names when empty).
ReportDocument reportDocument(AnyRun run, const QStringList& shownPaths = {}, const QStringList& names = {});

// The names of the treatments of a document of several files (as the user
// named them, or their file names), T1 first; empty for a single survey.
QStringList treatmentNames(const ReportDocument& document);

// The kind of run a document comes from.
RunKind kindOf(const ReportDocument& document);

// The document's charts in `language`.
std::vector<Figure> documentFigures(const ReportDocument& document, ChartLanguage language);

// What the document's report adds to its first data file's name when saved:
// its kind's suffix ("-relatorio", "-diversidade", ...).
QString reportSuffix(const ReportDocument& document);

// The name, without folder or extension, proposed for the document's PDF
// and chart images: "dados" for a faunistic report (as its file), otherwise
// the first data file's name with the report's suffix ("mata-similaridade").
QString outputBaseName(const ReportDocument& document);

} // namespace zav
