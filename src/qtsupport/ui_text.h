#pragma once
// The window's texts are written in Portuguese in the code and go through
// Qt's translation system under one context, "Zav": Zav::tr("Salvar") is
// "Salvar" with no translation loaded (the Portuguese program), "Save" or
// "Guardar" with English or Spanish loaded (ui_language.h).

#include <QCoreApplication>

class Zav {
    Q_DECLARE_TR_FUNCTIONS(Zav)
};
