// The start of the program up to its first window, in Russian (the source texts, no translation
// loaded) and in English (the program's and the core's texts translated): the translation may
// cost the start no more than a few per cent.
#include <QApplication>

#include <benchmark/benchmark.h>

#include "bench/ui/offscreen_main.h"
#include "core/texts.h"
#include "ui/entry_dlg.h"
#include "ui/tutor_app.h"

namespace {

void BM_FirstWindow(benchmark::State& state)
{
    const Language language = state.range(0) == 0 ? Language::Russian : Language::English;
    for (auto _ : state) {
        CTutorApp::PrepareDialogs(language);
        CEntryDlg wizard;
        wizard.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(wizard.windowTitle());
    }
    state.SetLabel(language == Language::Russian ? "Russian" : "English");
}
BENCHMARK(BM_FirstWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One core text through the translator, as every message of a run takes it.
void BM_CoreText(benchmark::State& state)
{
    CTutorApp::PrepareDialogs(state.range(0) == 0 ? Language::Russian : Language::English);
    for (auto _ : state)
        benchmark::DoNotOptimize(Tr("TutoringRun", "Вы хотите строить следующую таблицу?"));
    CTutorApp::PrepareDialogs();
}
BENCHMARK(BM_CoreText)->Arg(0)->Arg(1);

} // namespace

int main(int argc, char** argv) { return RunBenchmarksOffscreen(argc, argv); }
