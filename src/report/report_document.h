#pragma once
// A report as the window shows it, with the result it was made from: what
// the charts, printing and the PDF are made of. Nothing is parsed back from
// the text.

#include "analysis/analysis.h"
#include "comparison/comparison.h"
#include "data/date_time.h"
#include "diversity/diversity.h"
#include "fluctuation/fluctuation.h"
#include "similarity/similarity.h"

#include <QString>
#include <QStringList>

#include <string>
#include <variant>
#include <vector>

#include "runs/run_kinds.h"

namespace zav {

using ReportResult = std::variant<AnalysisResult, SimilarityResult, DiversityResult, ComparisonResult,
                                  communities::CommunityResult, FluctuationResult>;

struct ReportDocument {
    std::vector<std::string> lines; // Windows-1252, as shown
    QString name;                   // page headings, the chart window's title
    ReportResult result;
    QStringList sources = {}; // the data files it was computed from, in order
    bool edited = false;      // the user changed the text: pages say "(editado)"
    // Notes on how a similarity's or comparison's species were paired
    // (UTF-8), as its report prints them.
    std::vector<std::string> notes = {};
    // The data file's warnings (SpeciesTable::warnings, UTF-8): shown under
    // the report in the window, never part of it.
    std::vector<std::string> warnings = {};
    // A similarity's or comparison's treatments as the user named them, T1
    // first; empty: their file names.
    QStringList treatmentLabels = {};
};

// The faunistic report of the data file at `path` (as the report names it).
ReportDocument surveyDocument(AnalysisResult result, const QString& path, const DateTime& when);

// The similarity report of the treatments' files, in the order chosen.
// `names` name the treatments in the heading, key and charts (their file
// names when empty).
ReportDocument similarityDocument(SimilarityResult result, const QStringList& paths, const DateTime& when,
                                  std::vector<std::string> notes = {}, const QStringList& names = {});

// "ZAVIRO - DIVERSIDADE" of the run's data file.
ReportDocument diversityDocument(DiversityRun run);

// "ZAVIRO - FLUTUAÇÃO POPULACIONAL" of the run's data file.
ReportDocument fluctuationDocument(FluctuationRun run);

// The comparison report of the run's treatments, named `names` (their file
// names when empty).
ReportDocument comparisonDocument(ComparisonRun run, const QStringList& names = {});

// "ZAVIRO - COMUNIDADES" of the run's treatments, named `names` (their file
// names when empty); the collections left out among its notes.
ReportDocument communitiesDocument(CommunitiesRun run, const QStringList& names = {});

// The document of a run of any kind: the one way a run reaches the window.
// `shownPaths` are the data files as the user chose them (the run's own
// absolute names when empty); `names` name a similarity's or comparison's
// treatments (their file names when empty).
ReportDocument reportDocument(AnyRun run, const QStringList& shownPaths = {}, const QStringList& names = {});

// The names of the treatments of a similarity or comparison document (as
// the user named them, or their file names), T1 first; empty for a single
// survey.
QStringList treatmentNames(const ReportDocument& document);

// The kind of run a document's result comes from.
RunKind kindOf(const ReportResult& result);

// What the document's report adds to its first data file's name when saved:
// its kind's suffix ("-relatorio", "-diversidade", ...).
QString reportSuffix(const ReportResult& result);

// The name, without folder or extension, proposed for the document's PDF
// and chart images: "dados" for a faunistic report (as its file), otherwise
// the first data file's name with the report's suffix ("mata-similaridade").
QString outputBaseName(const ReportDocument& document);

} // namespace zav
