// The main window with a source of 100,000 distinct keywords: "Process Source
// Ini" filling the Available Keywords, then Add All moving them and building
// the header list. Runs the real window on the offscreen platform.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <memory>

#include "generated_source.h"
#include "platform/text_file.h"
#include "app/session.h"
#include "ui/app_host.h"
#include "ui/results_window.h"
#include "support/fake_host.h"
#include "ui/fake_ui.h"
#include "ui/main_window.h"

namespace {

using namespace quillset;

QString WriteKeywordSource(const QTemporaryDir& dir, int keywords) {
    QByteArray bytes;
    bytes.reserve(keywords * 40);
    for (int i = keywords - 1; i >= 0; --i)
        bytes += "[ Feature Style - K" + QByteArray::number(i).rightJustified(6, '0') + " ]\r\nA=1\r\n";
    const QString path = dir.filePath("keywords.ini");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
    return path;
}

void BM_ProcessThenAddAll(benchmark::State& state) {
    const int keywords = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    const QString source = WriteKeywordSource(dir, keywords);
    if (source.isEmpty()) {
        state.SkipWithError("cannot write the source file");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        Session session;
        testing::FakePrompter prompter;
        testing::FakeFileDialogs dialogs;
        testing::FakeSettings settings;
        auto window = std::make_unique<ui::MainWindow>(session, prompter, dialogs, settings);
        window->show();
        window->findChild<QLineEdit*>("txtSeedIn")->setText(source);
        QApplication::processEvents();
        state.ResumeTiming();

        window->findChild<QPushButton*>("cmdProcessInput")->click();
        window->findChild<QPushButton*>("cmdAddAll")->click();
        QApplication::processEvents();

        state.PauseTiming();
        if (session.selection.headerList.rows.size() != static_cast<std::size_t>(keywords))
            state.SkipWithError("the header list is incomplete");
        window.reset();
        state.ResumeTiming();
    }
    state.counters["keywords"] = keywords;
}
BENCHMARK(BM_ProcessThenAddAll)->Arg(100'000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The main window on a generated source of about 28 MB (and, when asked, a
// copy of it as the test file), processed with every keyword selected; the
// results file lands in `dir`.
struct ProcessedWindow {
    explicit ProcessedWindow(const QTemporaryDir& dir) {
        settings.Save("Tempfile", "FileName", dir.filePath("results.tmp").toStdString());
        source = dir.filePath("big.ini").toStdString();
        written = platform::WriteTextLines(source, bench::GeneratePreferenceFile(0, 28'000'000)).ok;
        window.show();
        window.findChild<QLineEdit*>("txtSeedIn")->setText(QString::fromStdString(source));
        window.findChild<QPushButton*>("cmdProcessInput")->click();
        window.findChild<QPushButton*>("cmdAddAll")->click();
        QApplication::processEvents();
    }
    QPushButton* Button(const char* name) { return window.findChild<QPushButton*>(name); }

    Session session;
    testing::FakePrompter prompter;
    testing::FakeFileDialogs dialogs;
    testing::FakeSettings settings;
    ui::MainWindow window{session, prompter, dialogs, settings};
    std::string source;
    bool written = false;
};

// "Export to Ini (subset)" of every keyword of a generated source of about
// 28 MB until the Results window holds the text, then "Save As..." of it.
void BM_ExportAllThenSaveAs(benchmark::State& state) {
    QTemporaryDir dir;
    ProcessedWindow w(dir);
    if (!w.written) {
        state.SkipWithError("cannot write the source file");
        return;
    }
    const bool save = state.range(0) != 0;
    int run = 0;
    for (auto _ : state) {
        if (!save) {
            w.Button("cmdExportHeaders")->click();
            QApplication::processEvents();
        } else {
            state.PauseTiming();
            if (run == 0) w.Button("cmdExportHeaders")->click();
            const QString out = dir.filePath(QString("saved%1.ini").arg(run++));
            w.dialogs.answers.push_back(out);
            state.ResumeTiming();
            w.window.host().resultsWindow()->findChild<QPushButton*>("cmdSaveResults")->click();
        }
    }
}
BENCHMARK(BM_ExportAllThenSaveAs)->ArgName("save")->Arg(0)->Arg(1)->Iterations(3)
    ->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// "Create Updated File" (Reset All, Append All) of every keyword of a 28 MB
// source against a copy of it, until the Results window holds the text.
void BM_CreateUpdatedFile(benchmark::State& state) {
    QTemporaryDir dir;
    ProcessedWindow w(dir);
    const QString test = dir.filePath("test.ini");
    if (!w.written || !QFile::copy(QString::fromStdString(w.source), test)) {
        state.SkipWithError("cannot write the files");
        return;
    }
    auto* victim = w.window.findChild<QLineEdit*>("txtVictimName");
    victim->setText(test);
    QMetaObject::invokeMethod(victim, "returnPressed");
    w.window.findChildren<QRadioButton*>("optClobber")[0]->setChecked(true);
    w.window.findChildren<QRadioButton*>("optAppend")[0]->setChecked(true);
    QApplication::processEvents();
    for (auto _ : state) {
        w.Button("cmdFileClobber")->click();
        QApplication::processEvents();
    }
    if (w.session.comparison.rows.empty()) state.SkipWithError("nothing was compared");
}
BENCHMARK(BM_CreateUpdatedFile)->Iterations(3)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
