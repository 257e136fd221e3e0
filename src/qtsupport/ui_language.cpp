#include "qtsupport/ui_language.h"

#include "data/message_language.h"
#include "qtsupport/settings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zav {

namespace {

const QString kLanguageKey = QStringLiteral("interface/idioma");
// Kept on the application, which the charts module (a library of its own,
// with its own copy of this unit) shares with the program.
const char* const kInstalledProperty = "zaviro.idioma";
// Those installed, taken out when another language comes in.
QTranslator* qtInstalled = nullptr;
QTranslator* oursInstalled = nullptr;

void replace(QTranslator*& held, QTranslator* next) {
    if (held) {
        QCoreApplication::removeTranslator(held);
        delete held;
    }
    held = next;
    if (held) QCoreApplication::installTranslator(held);
}

} // namespace

ReportLanguage languageOfLocaleNames(const QStringList& names) {
    if (names.isEmpty()) return ReportLanguage::Portuguese;
    const QString first = names.front().toLower();
    if (first.startsWith(QStringLiteral("en"))) return ReportLanguage::English;
    if (first.startsWith(QStringLiteral("es"))) return ReportLanguage::Spanish;
    return ReportLanguage::Portuguese;
}

std::optional<ReportLanguage> chosenInterfaceLanguage() {
    const QString code = settings().value(kLanguageKey).toString();
    return reportLanguageFromCode(code.toStdString());
}

void chooseInterfaceLanguage(ReportLanguage language) {
    auto store = settings();
    const auto code = reportLanguageCode(language);
    store.setValue(kLanguageKey, QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size())));
}

ReportLanguage startingInterfaceLanguage() {
    if (const auto chosen = chosenInterfaceLanguage()) return *chosen;
    return languageOfLocaleNames(QLocale::system().uiLanguages());
}

void installInterfaceLanguage(QCoreApplication& app, ReportLanguage language) {
    const auto installedCode = reportLanguageCode(language);
    app.setProperty(kInstalledProperty,
                    QString::fromLatin1(installedCode.data(), static_cast<qsizetype>(installedCode.size())));
    // Qt's dialogs (file dialogs, message boxes' buttons) in the same language.
    const QLocale locale = language == ReportLanguage::English   ? QLocale(QLocale::English)
                           : language == ReportLanguage::Spanish ? QLocale(QLocale::Spanish)
                                                                 : QLocale(QLocale::Portuguese, QLocale::Brazil);
    auto* qt = new QTranslator(&app);
    if (!qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qt;
        qt = nullptr;
    }
    replace(qtInstalled, qt);
    // Ours, compiled at build time into the program's resources; Portuguese
    // is the code's own.
    QTranslator* ours = nullptr;
    if (language != ReportLanguage::Portuguese) {
        ours = new QTranslator(&app);
        const auto code = reportLanguageCode(language);
        if (!ours->load(QStringLiteral(":/i18n/zaviro_") +
                        QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size())))) {
            delete ours;
            ours = nullptr;
        }
    }
    replace(oursInstalled, ours);
}

ReportLanguage interfaceLanguage() {
    const auto* app = QCoreApplication::instance();
    if (!app) return ReportLanguage::Portuguese;
    return reportLanguageFromCode(app->property(kInstalledProperty).toString().toStdString())
        .value_or(ReportLanguage::Portuguese);
}

QString interfaceMessage(std::string_view portuguese) {
    return QString::fromStdString(messageText(interfaceLanguage(), portuguese));
}

} // namespace zav
