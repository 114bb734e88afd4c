// The bundled sample exported in the window and saved with "Save As..." gives
// the very bytes that quillset-batch writes for the same selection.

#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>

#include "session.h"
#include "support/fake_host.h"
#include "support/run_process.h"
#include "ui/app_host.h"
#include "ui/fake_ui.h"
#include "ui/main_window.h"
#include "ui/results_window.h"

namespace quillset::ui {
namespace {

TEST(BatchSaveAs, WindowSaveEqualsBatchExportOnTheSample) {
    QTemporaryDir dir;
    Session session;
    testing::FakePrompter prompter;
    testing::FakeFileDialogs dialogs;
    testing::FakeSettings settings;
    settings.Save("Tempfile", "FileName", dir.filePath("results.tmp").toStdString());
    MainWindow window(session, prompter, dialogs, settings);
    window.show();
    const std::string sample = QUILLSET_SAMPLES_DIR "/office_standard.ini";
    window.findChild<QLineEdit*>("txtSeedIn")->setText(QString::fromStdString(sample));
    auto click = [&](const char* name) { window.findChild<QPushButton*>(name)->click(); };

    // Grep with a text that picks blocks from several categories (and the
    // duplicated "Labels" preferences), Add of two keywords, then Add All.
    const struct { const char* grep; std::vector<std::string> batch; } cases[] = {
        {"Curb", {"--grep", "Curb"}},
        {"Labels", {"--grep", "Labels"}},
        {nullptr, {"--keyword", "Fence", "--keyword", "Plot Scale"}},
        {"", {"--all"}},
    };
    int saved = 0;
    for (const auto& c : cases) {
        click("cmdProcessInput");
        if (c.grep) {
            window.findChild<QLineEdit*>("txtGrep")->setText(c.grep);
            click(*c.grep ? "cmdHeaderGrep" : "cmdAddAll");
        } else {
            auto* view = window.findChild<QListView*>("lstHdrAvail");
            for (int row = 0; row < view->model()->rowCount(); ++row) {
                const QString keyword = view->model()->index(row, 0).data().toString();
                if (keyword == "Fence" || keyword == "Plot Scale")
                    view->selectionModel()->select(view->model()->index(row, 0), QItemSelectionModel::Select);
            }
            click("cmdAdd");
        }
        click("cmdExportHeaders");
        ResultsWindow* results = window.host().resultsWindow();
        ASSERT_NE(results, nullptr);
        const QString path = dir.filePath(QString("saved%1.ini").arg(++saved));
        dialogs.answers.push_back(path);
        results->findChild<QPushButton*>("cmdSaveResults")->click();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.batch[0];
        const QByteArray bytes = file.readAll();
        results->findChild<QPushButton*>("cmdClose")->click();  // the next export starts afresh

        std::vector<std::string> args{"export", "ini", sample};
        args.insert(args.end(), c.batch.begin(), c.batch.end());
        const auto batch = testing::RunProcess(QUILLSET_BATCH, args, dir.path().toStdString());
        EXPECT_EQ(batch.status, 0) << batch.err;
        EXPECT_GT(bytes.size(), 40) << c.batch[0];
        EXPECT_EQ(batch.out, bytes.toStdString()) << c.batch[0];
    }
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join('\n').toStdString();
}

}  // namespace
}  // namespace quillset::ui
