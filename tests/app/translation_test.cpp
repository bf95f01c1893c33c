#include "app/program.h"
#include "desktop/new_mail_notice.h"
#include "dialogs/rules_editor.h"
#include "mail/check_failure.h"
#include "ui_fixture.h"
#include "widgets/toolbar_panel.h"

#include <QAction>
#include <QTableView>
#include <QToolButton>

namespace {
// Run with LANG=de_DE.UTF-8 (see CMakeLists.txt).
class TranslationTest : public UiTest {};

TEST_F(TranslationTest, AnEnglishOrCLocaleKeepsEveryText) {
    for (const char* name : {"C", "en_US"}) {
        QLocale::setDefault(QLocale(name));
        LoadTranslations();
        EXPECT_EQ(QCoreApplication::translate("TForm1", "Add Account"), "Add Account") << name;
    }
}

TEST_F(TranslationTest, AGermanLocaleShowsGermanMenus) {
    QLocale::setDefault(QLocale::system());
    ASSERT_EQ(QLocale().language(), QLocale::German);
    LoadTranslations();
    TForm1& form = Start();
    const std::pair<const char*, const char*> actions[] = {{"AddAccount1", "Konto hinzufügen"},
                                                           {"RemoveAccount1", "Konto entfernen"},
                                                           {"CheckAll1", "Alle Konten abrufen"},
                                                           {"Settings1", "Einstellungen..."},
                                                           {"Delete1", "Löschen"}};
    for (const auto& [name, text] : actions)
        EXPECT_EQ(form.findChild<QAction*>(name)->text(), QString::fromUtf8(text)) << name;
    EXPECT_EQ(form.findChild<QToolButton*>("check_mail")->text(), "Abrufen");

    // Words composed below the widgets travel as Latin-1 bytes, the notice's as UTF-8.
    TCheckFailure failure;
    failure.Kind = TFailureKind::ConnectFailed;
    failure.Server = "mail.example";
    const TRulesEditor rules(TMailRules{}, {});
    const std::pair<QString, const char*> shown[] = {
        {rules.windowTitle(), "E-Mail-Regeln"},
        {QString::fromLatin1(DescribeFailure(failure).Text),
         "Fehler beim Verbinden mit dem Server: prüfen Sie Ihre Einstellungen\n"
         "Es konnte keine Verbindung zu mail.example hergestellt werden"},
        {form.findChild<QTableView*>("grid")->model()->headerData(0, Qt::Horizontal).toString(),
         "Datum"},
        {QString::fromStdString(NoticeTitle(3)), "3 neue Nachrichten"},
        {QString::fromStdString(NoticeBody({{"", "Hallo", "Arbeit"}})), "(kein Absender): Hallo"}};
    for (const auto& [text, german] : shown)
        EXPECT_EQ(text, QString::fromUtf8(german));
}
} // namespace
