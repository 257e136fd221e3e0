# The Debian package, built by scripts/package.sh (cpack -G DEB).

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zaviro)
set(CPACK_PACKAGE_VENDOR "Equipe ZAVIRO")
set(CPACK_PACKAGE_CONTACT "Equipe ZAVIRO <zaviro@zaviro.org.br>")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PROJECT_HOMEPAGE_URL}")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/COPYING")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beside what dpkg-shlibdeps finds: Qt's own dialogs in Portuguese.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "faunistic analysis, diversity and similarity of insect surveys")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "ZAVIRO turns the counts of an insect survey (for each species, the
individuals caught and the collections in which it was caught) into a
faunistic analysis report: dominance by Kato's method, abundance,
frequency and constancy classes, the predominant species, Shannon's
diversity index with its confidence interval, Margalef's richness index
and equitability.
.
It also gives:
 - the diversity of a survey: sample coverage, richness estimators
   (Chao1, ACE, Chao2, ICE, jackknife, bootstrap) with their errors,
   diversity indices, Hill numbers and rarefaction and extrapolation
   curves;
 - the similarity of 3 to 10 surveys by Sørensen's quotient, and the
   comparison of 2 to 10 (Hutcheson's t test, Sørensen, Jaccard,
   Morisita-Horn and Bray-Curtis matrices, UPGMA dendrogram), with the
   treatments named by the user;
 - charts saved as PNG, SVG or PDF at journal sizes, printing and PDF
   export of every report, and the species table copied or exported to
   XLSX or CSV;
 - a grid to type or correct survey files, and the import of XLSX, ODS,
   CSV and TSV spreadsheets.
.
The program speaks Portuguese. Reports are Windows-1252 text files;
zaviro-relatorio writes the same reports, JSON and CSV on standard output
for scripts.")

include(CPack)
