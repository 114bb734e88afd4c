#pragma once
// A shown main window over a scratch folder with the fakes answering for it,
// and the file helpers the window tests share.

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <memory>

#include "app/session.h"
#include "support/fake_host.h"
#include "ui/app_host.h"
#include "ui/fake_ui.h"
#include "ui/main_window.h"
#include "ui/results_window.h"

namespace quillset::testing {

inline QString WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size()) << path.toStdString();
    return path;
}

inline QByteArray ReadFile(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

// A shown main window whose results file lies in a scratch folder.
class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture() {
        EXPECT_TRUE(dir.isValid());
        settings.Save("Tempfile", "FileName", dir.filePath("results.tmp").toStdString());
        window = std::make_unique<ui::MainWindow>(session, prompter, dialogs, settings);
        window->show();
    }

    QString Write(const char* name, const QByteArray& bytes) const {
        return WriteFile(dir.filePath(QString::fromLatin1(name)), bytes);
    }
    template <typename T = QWidget>
    T* Get(const char* name) const {
        auto* w = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLineEdit* Source() const { return Get<QLineEdit>("txtSeedIn"); }
    void Click(const char* name) { Get<QPushButton>(name)->click(); }
    QAbstractItemModel* Model(const char* view) const { return Get<QAbstractItemView>(view)->model(); }
    // The rows of a list or tree in the order shown, columns joined by "|".
    QStringList Rows(const char* view) const {
        QStringList rows;
        const QAbstractItemModel* m = Model(view);
        for (int r = 0; r < m->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < m->columnCount(); ++c) cells << m->index(r, c).data().toString();
            rows << cells.join('|');
        }
        return rows;
    }
    QByteArray Results() { return window->host().resultsWindow()->TextBytes(); }

    QTemporaryDir dir;
    Session session;
    FakePrompter prompter;
    FakeFileDialogs dialogs;
    FakeSettings settings;
    std::unique_ptr<ui::MainWindow> window;
};

}  // namespace quillset::testing
