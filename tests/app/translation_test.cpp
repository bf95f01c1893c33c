#include "app/translations.h"
#include "ui_fixture.h"
#include "widgets/toolbar_panel.h"

#include <QAction>
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
}
} // namespace
