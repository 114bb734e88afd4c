// The bundled sample exported in the window as INI, CSV and TSV text and
// saved with "Save As..." gives the very bytes that quillset-batch writes for
// the same selection.

#include <gtest/gtest.h>

#include <QCheckBox>
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
    const std::string sample = QUILLSET_SAMPLES_DIR "/office_standard.ini";
    window.findChild<QLineEdit*>("txtSeedIn")->setText(QString::fromStdString(sample));
    auto click = [&](QWidget* in, const char* name) { in->findChild<QPushButton*>(name)->click(); };
    auto* available = window.findChild<QListView*>("lstHdrAvail");

    // Grep across categories and over the duplicated "Labels" preferences,
    // two keywords added by hand, and Add All.
    const struct { const char* command; QString text; std::vector<std::string> batch; } cases[] = {
        {"cmdHeaderGrep", "Curb", {"--grep", "Curb"}},
        {"cmdHeaderGrep", "Labels", {"--grep", "Labels"}},
        {"cmdAdd", "Fence|Plot Scale", {"--keyword", "Fence", "--keyword", "Plot Scale"}},
        {"cmdAddAll", "", {"--all"}},
    };
    for (const auto& c : cases) {
        click(&window, "cmdProcessInput");
        window.findChild<QLineEdit*>("txtGrep")->setText(c.text);
        for (int row = 0; row < available->model()->rowCount(); ++row) {
            const QModelIndex index = available->model()->index(row, 0);
            if (c.text.split('|').contains(index.data().toString()))
                available->selectionModel()->select(index, QItemSelectionModel::Select);
        }
        click(&window, c.command);
        // Each export from the same selection; the window's messages are
        // what the script tool writes to standard error.
        for (const char* kind : {"ini", "csv", "tsv"}) {
            prompter.messages.clear();
            click(&window, *kind == 'i' ? "cmdExportHeaders" : *kind == 'c' ? "cmdExport2CSV" : "cmdPref2CSV");
            QWidget* results = window.host().resultsWindow();
            ASSERT_NE(results, nullptr);
            dialogs.answers.push_back(dir.filePath("saved.txt"));
            click(results, "cmdSaveResults");
            QFile saved(dir.filePath("saved.txt"));
            ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << c.batch[0] << kind;
            const QByteArray bytes = saved.readAll();
            saved.remove();
            click(results, "cmdClose");  // the next export starts afresh

            std::vector<std::string> args{"export", kind, sample};
            args.insert(args.end(), c.batch.begin(), c.batch.end());
            const auto batch = testing::RunProcess(QUILLSET_BATCH, args, dir.path().toStdString());
            EXPECT_EQ(batch.status, 0) << batch.err;
            EXPECT_GT(bytes.size(), 40) << c.batch[0] << kind;
            EXPECT_EQ(batch.out, bytes.toStdString()) << c.batch[0] << kind;
            const QString told = prompter.messages.join('\n');
            EXPECT_EQ(batch.err, (told.isEmpty() ? told : told + '\n').toStdString()) << c.batch[0] << kind;
        }
    }
}

TEST(BatchSaveAs, WindowSaveEqualsBatchResizeOnTheSample) {
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
    window.findChild<QPushButton*>("cmdProcessInput")->click();
    window.findChild<QLineEdit*>("txtGrep")->setText("Curb");
    window.findChild<QPushButton*>("cmdHeaderGrep")->click();
    window.findChild<QCheckBox*>("chkResizeHeight")->setChecked(false);
    window.findChild<QLineEdit*>("txtTextWidth")->setText("0.9");
    window.findChild<QLineEdit*>("txtLineSpace")->setText("1.25");
    window.findChild<QPushButton*>("cmdResizeText")->click();
    ASSERT_NE(window.host().resultsWindow(), nullptr);
    const QString path = dir.filePath("resized.ini");
    dialogs.answers.push_back(path);
    window.host().resultsWindow()->findChild<QPushButton*>("cmdSaveResults")->click();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));

    const auto batch = testing::RunProcess(
        QUILLSET_BATCH, {"resize", sample, "--grep", "Curb", "--width", "0.9", "--spacing", "1.25"},
        dir.path().toStdString());
    EXPECT_EQ(batch.status, 0) << batch.err;
    EXPECT_NE(batch.out.find("2.5,0.9,1.25,"), std::string::npos);
    EXPECT_EQ(batch.out, file.readAll().toStdString());
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join('\n').toStdString();
}

}  // namespace
}  // namespace quillset::ui
