#pragma once
// Marks a text of the core that the window shows (a status line, a menu's
// title) so the translation tools collect it; the core keeps the Portuguese
// text and the window translates it when it shows it. Qt's own macro has the
// same meaning where Qt is included.

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, text) text
#endif
