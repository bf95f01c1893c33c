#pragma once
#include "accounts/account_list.h"
#include "app/main_window.h"
#include "app/program.h"
#include "mail/mail_operations.h"
#include "tests/support/message_script.h"
#include "tests/support/temp_working_dir.h"
#include "widgets/account_tree.h"
#include "widgets/message_grid.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

struct AccountSpec {
    AccountSpec(std::string name, std::string server, std::string user, std::string password = {},
                bool savePassword = false)
        : Name(std::move(name)), Server(std::move(server)), User(std::move(user)),
          Password(std::move(password)), SavePassword(savePassword) {}
    std::string Name, Server, User, Password;
    bool SavePassword;
};

// Each test runs in an empty working directory of its own, with its message boxes answered.
class UiTest : public test_support::TempWorkingDirTest {
protected:
    void TearDown() override {
        program.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TempWorkingDirTest::TearDown();
    }

    TForm1& Start() {
        program = std::make_unique<TProgram>();
        return *program->Form1;
    }
    TForm1& Form() { return *program->Form1; }

    static void WriteAccounts(const std::vector<AccountSpec>& specs) {
        TAccounts list;
        for (const AccountSpec& a : specs)
            ASSERT_TRUE(list.Add(a.Name, a.Server, a.User, a.Password, a.SavePassword));
        ASSERT_TRUE(list.SaveToFile());
    }
    std::vector<std::string> TopLabels() {
        std::vector<std::string> labels;
        QTreeWidget& tree = Form().Tree();
        for (int i = 0; i < tree.topLevelItemCount(); ++i)
            labels.push_back(TAccountTree::Label(tree.topLevelItem(i)));
        return labels;
    }
    // An account node's label followed by its children's labels.
    std::vector<std::string> NodeLabels(int top) {
        QTreeWidgetItem* node = Form().Tree().topLevelItem(top);
        std::vector<std::string> labels{TAccountTree::Label(node)};
        for (int i = 0; i < node->childCount(); ++i)
            labels.push_back(TAccountTree::Label(node->child(i)));
        return labels;
    }
    std::string CurrentName() {
        const TAccount* current = Form().Accounts().Current();
        return current ? current->Name : "<none>";
    }
    template <class T> T* Find(const char* name) { return Form().findChild<T*>(name); }

public:
    // Runs act on the modal dialog that trigger opens. The search stops when trigger returns
    // or after about two seconds, whichever comes first.
    static void WithModal(const std::function<void()>& trigger,
                          const std::function<void(QDialog&)>& act) {
        auto waiting = std::make_shared<bool>(true);
        auto attempts = std::make_shared<int>(0);
        auto poll = std::make_shared<std::function<void()>>();
        std::weak_ptr<std::function<void()>> self = poll;
        *poll = [=] {
            if (!*waiting) return;
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                *waiting = false;
                act(*dialog);
                return;
            }
            if (++*attempts < 200)
                if (auto again = self.lock()) QTimer::singleShot(10, *again);
        };
        QTimer::singleShot(0, *poll);
        trigger();
        *waiting = false;
    }

protected:
    MessageScript messages;
    std::unique_ptr<TProgram> program;
};
