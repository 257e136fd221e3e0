#pragma once
// Every modal interaction of the program with the user, and the clock, go
// through these interfaces, so that tests can answer them.

#include "data/clock.h"

#include <QString>

#include <optional>

class QPrinter;

namespace zav {

struct FileDialogRequest {
    QString title;
    QString filter;        // "*.txt"
    QString defaultSuffix; // "txt"
    QString directory;     // where the dialog starts
    QString fileName;      // pre-filled name, may be empty
};

class Interaction {
  public:
    virtual ~Interaction() = default;

    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;

    virtual void information(const QString& text) = 0;
    virtual void error(const QString& text) = 0;
    // Yes/No; true on Yes.
    virtual bool confirm(const QString& text) = 0;

    // The print dialog: sets `printer` up as the user chooses; true when the
    // user chose to print.
    virtual bool choosePrinter(QPrinter& printer) = 0;
};

} // namespace zav
