// Benchmarks of the duct page on the offscreen platform: a calculation up to
// the painted list, and a pick in the list up to the painted properties, for
// the worked example (1000 CMH) and for the largest accepted flow.

#include "config/codepage.h"
#include "ui/column_list_box.h"
#include "ui/duct_page.h"
#include "ui/duct_system_window.h"
#include "ui/main_window.h"
#include "ui/terminal_page.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

// The worked example's criteria: roughness 0.18 mm, 8.0 m/s, 0.10 mmAq/m,
// aspect limit 4.0.
void WriteConfig(const QTemporaryDir& dir) {
    const auto write = [&](const char* name, const QString& text) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        const std::string bytes = *kestrix::ToCp932(text);
        f.write(bytes.data(), qint64(bytes.size()));
    };
    write("ksx_mate_e.cfg", QStringLiteral(" 1,\"Steel\",0.18\r\n"));
    write("KSX_Set1_e.cfg", QStringLiteral(" 1,\"Worked example\", 1, 8.0, 0.10, 0, 4.0\r\n"));
    write("KSX_Set2_e.cfg", QStringLiteral(" 1,\"Anemo\", 70.0, 3.0\r\n"
                                           " 2,\"Door louvre\", 40.0, 1.5\r\n"));
}

struct Window {
    QTemporaryDir dir;
    std::unique_ptr<MainWindow> form;

    Window() {
        WriteConfig(dir);
        MainWindowOptions o;
        o.arguments = {QStringLiteral("/ENG")};
        o.configDirectory = dir.path();
        o.settingsFile = dir.filePath(QStringLiteral("Kestrix.ini"));
        o.showMessage = [](const MessageRequest&) { std::abort(); }; // no message expected
        o.exitProcess = [](int) {};
        form = std::make_unique<MainWindow>(o);
        form->show();
        QApplication::processEvents();
    }
};

Window& TheWindow();

// A control of the window, by its objectName.
template <typename T> T* Control(const char* name) {
    return TheWindow().form->findChild<T*>(QString::fromLatin1(name));
}

Window& TheWindow() {
    static Window window;
    return window;
}

void Calculate(benchmark::State& state, const char* flow) {
    auto* page = Control<kestrix::DuctPage>("TabSheet1");
    auto* list = Control<QListWidget>("whl");
    Control<QLineEdit>("Q1")->setText(QString::fromLatin1(flow));
    for (auto _ : state) {
        page->calculate();
        list->repaint();
    }
    state.counters["entries"] = list->count();
}

void Pick(benchmark::State& state, const char* flow) {
    auto* list = Control<QListWidget>("whl");
    Control<QLineEdit>("Q1")->setText(QString::fromLatin1(flow));
    Control<kestrix::DuctPage>("TabSheet1")->calculate();
    const int count = list->count();
    if (count < 2) {
        state.SkipWithError("no list");
        return;
    }
    int row = count - 1;
    for (auto _ : state) {
        // The selection signal runs whlClick, as a click does.
        list->setCurrentRow(row);
        list->repaint();
        Control<QWidget>("d_pro")->repaint();
        row = row == count - 1 ? count - 2 : count - 1;
    }
    state.counters["entries"] = count;
    if (Control<QLineEdit>("E_aq")->text().isEmpty()) state.SkipWithError("pick showed nothing");
}

void BM_CalculateWorkedExample(benchmark::State& state) {
    Calculate(state, "1000");
}
void BM_CalculateLargestFlow(benchmark::State& state) {
    Calculate(state, "10000000");
}
void BM_PickWorkedExample(benchmark::State& state) {
    Pick(state, "1000");
}
void BM_PickLargestFlow(benchmark::State& state) {
    Pick(state, "10000000");
}

BENCHMARK(BM_CalculateWorkedExample)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalculateLargestFlow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PickWorkedExample)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PickLargestFlow)->Unit(benchmark::kMillisecond);

// A resize of a wide window while the air-terminal page shows the longest
// list (1000 entries, about 22 columns): the list is laid out again in its
// new columns and the window painted.
void BM_ResizeWideWindowWithLongestList(benchmark::State& state) {
    MainWindow& w = *TheWindow().form;
    auto* tabs = Control<QTabWidget>("PageControl1");
    auto* page = Control<kestrix::TerminalPage>("TabSheet3");
    tabs->setCurrentWidget(page);
    Control<QComboBox>("KiguStyleCB")->setCurrentIndex(1);
    page->onStyleChosen();
    Control<QLineEdit>("Q3")->setText(QStringLiteral("10000000"));
    page->calculate();
    const int count = Control<QListWidget>("hsbox")->count();
    int width = 1500;
    w.resize(width, 1100);
    QApplication::processEvents();
    // The column count follows the width one column per resize: steps until
    // it has settled, so that the columns are as narrow as a user sees them
    // (the longer sizes shortened).
    for (int settle = 0; settle < 40; ++settle) {
        width = width == 1500 ? 1510 : 1500;
        w.resize(width, 1100);
        QApplication::processEvents();
    }
    for (auto _ : state) {
        width = width == 1500 ? 1510 : 1500;
        w.resize(width, 1100);
        // Lays the list out and paints the window, as after a resize step.
        QApplication::processEvents();
    }
    state.counters["entries"] = count;
    w.resize(291, 360);
    tabs->setCurrentIndex(0);
    QApplication::processEvents();
}
BENCHMARK(BM_ResizeWideWindowWithLongestList)->Unit(benchmark::kMillisecond);

// One edit in the duct-system window holding 500 sections (100 mains and
// branches feeding 400 terminals), the length of the fan section, which moves
// the pressure of every path: the whole system sized again, the results
// written into the tree, and the window painted.
void BM_DuctSystemEdit500(benchmark::State& state) {
    Window& window = TheWindow();
    Control<QAction>("ductSystem")->trigger();
    auto* sys = window.form->findChild<kestrix::DuctSystemWindow*>();
    QString json = QStringLiteral(
        R"({"units": "Pa", "roughness": 0.18, "limits": {"velocity": 8, "loss": 1}, "shape": "rectangular", "sections": [)");
    for (int i = 0; i < 500; ++i) {
        const int up = i < 100 ? (i - 1) / 3 : (i - 100) % 100;
        json += QStringLiteral("%1{\"id\": \"S%2\", \"upstream\": %3, \"length\": %4%5}")
                    .arg(i ? "," : "")
                    .arg(i)
                    .arg(i == 0 ? QStringLiteral("null") : QStringLiteral("\"S%1\"").arg(up))
                    .arg(2 + i % 7)
                    .arg(i >= 100 ? QStringLiteral(", \"flow\": %1, \"fixed_loss\": 15")
                                        .arg(100 + 10 * (i % 30))
                                  : QString());
    }
    json += QStringLiteral("]}");
    QFile file(window.dir.filePath(QStringLiteral("system-500.json")));
    if (!file.open(QIODevice::WriteOnly)) std::abort();
    file.write(json.toUtf8());
    file.close();
    if (!sys->openFile(file.fileName()) || !sys->lastResult().ok()) {
        state.SkipWithError("the system did not open");
        return;
    }
    auto* tree = sys->findChild<QTreeWidget*>(QStringLiteral("systemTree"));
    QTreeWidgetItem* edited =
        tree->findItems(QStringLiteral("S0"), Qt::MatchExactly | Qt::MatchRecursive).first();
    sys->resize(1200, 800);
    QApplication::processEvents();
    int length = 3;
    for (auto _ : state) {
        length = length == 3 ? 4 : 3;
        edited->setText(kestrix::DuctSystemWindow::Length, QString::number(length));
        sys->repaint();
    }
    state.counters["sections"] = static_cast<double>(sys->lastResult().sections.size());
    sys->close();
}
BENCHMARK(BM_DuctSystemEdit500)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    TheWindow().form.reset();
    benchmark::Shutdown();
    return 0;
}
