#pragma once
// What every test of the real main window needs: the window with a scripted
// user and a fixed clock, a temporary folder for its files, and ways to
// reach its actions, buttons and menus by name.

#include "app/ZavNovo.h"
#include "qtsupport/settings.h"
#include "support/files.h"
#include "support/scripted_interaction.h"

#include <QAction>
#include <QObject>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace zav::test {

class WindowTest : public QObject {
  protected:
    std::unique_ptr<ScriptedInteraction> user;
    std::unique_ptr<TZAVMain> window;
    std::unique_ptr<QTemporaryDir> dir;

    // What the program keeps between runs goes to a folder of the test's
    // own, never to the user's settings; each test starts with none.
    static void useTemporarySettings() {
        static QTemporaryDir settingsDir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        zav::settings().clear();
    }

    void createWindow() {
        useTemporarySettings();
        dir = std::make_unique<QTemporaryDir>();
        user = std::make_unique<ScriptedInteraction>();
        window = std::make_unique<TZAVMain>(*user, *user);
    }

    // After a test: the window gone, and the scripted user met no surprise.
    void closeWindow() {
        const auto problems = user->problems();
        window.reset();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
    }

    void trigger(const char* name) {
        auto* action = window->findChild<QAction*>(name);
        QVERIFY2(action, name);
        action->trigger();
    }
    void click(const char* name) {
        auto* button = window->findChild<QPushButton*>(name);
        QVERIFY2(button, name);
        button->click();
    }

    QString path(const QString& name) { return dir->filePath(name); }
    QString dataFile(const QString& name, const QByteArray& bytes) {
        if (!writeFile(path(name), bytes)) QTest::qFail("cannot write the test file", __FILE__, __LINE__);
        return path(name);
    }

    void checkMenus(bool arquivo, bool calcular, bool similaridade, bool ajuda) {
        QCOMPARE(window->isMenuEnabled(TZAVMain::Arquivo), arquivo);
        QCOMPARE(window->isMenuEnabled(TZAVMain::Calcular), calcular);
        QCOMPARE(window->isMenuEnabled(TZAVMain::Similaridade), similaridade);
        QCOMPARE(window->isMenuEnabled(TZAVMain::Ajuda), ajuda);
    }
};

} // namespace zav::test
