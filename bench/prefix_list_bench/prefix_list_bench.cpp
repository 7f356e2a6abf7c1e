// The DXCC prefix list on the prefix tables the build made from cty.csv, offscreen, as the QSO
// edit dialog opens it and as the operator pages through it.
//
// "Open" makes the list in select mode by DXCC prefix and runs its window up to the first page
// painted; target under 100 ms. "PageMove/<order>" moves the list a page at a time, down to the
// end of the table and up to its start again, in the short view's two orders (0: by DXCC prefix,
// one row per entity; 1: by country, every entry), each move painted; an iteration is the whole
// walk, "per move" its time divided among its moves; target under 10 ms a move.
//
// A SQLite baseline would measure a query, not a window, so there is none.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/daten_liste_form.h"
#include "app/prefix_brow_ctrl.h"
#include "app/prefix_list.h"
#include "bench/common/prefix_tables_copy.h"
#include "common/messages.h"
#include "common/screen_services.h"
#include "common/service.h"
#include "common/to_dates.h"
#include "logbook/reference/prefix.h"
#include "logbook/reference/prefix_files.h"
#include "logbook/settings/setups.h"
#include "platform/qt/application.h"
#include "platform/qt/screen_source.h"
#include "storage/driver/driver_codes.h"
#include "storage/driver/driver_system.h"
#include "ui/mouse_grid.h"
#include "ui/winskal.h"

namespace {

using app::TDatenListeForm;
using app::TDatenPrefixListeCtrl;

const std::string& Folder() { return bench::PrefixTablesCopy(PREFIX_TABLES_DIR); }

// The services the list needs, as the program starts them, on a 96-dpi screen of 1024 x 768.
class ListServices {
 public:
  ListServices() {
    platform::qt::Application().SetScreenSource(
        std::make_unique<platform::qt::FixedScreenSource>(1024, 768, 96));
    common::Service<common::ToWinskal>::Create();
    common::Service<common::TScreenSS>::Create();
    common::Service<common::ToDates>::Create();
    common::Service<common::ToMessages>::Create();
    common::Service<logbook::ToSetups>::Create().SetOwnCall("DL1ABC");
    logbook::ToSetupOwnStation station = common::Service<logbook::ToSetups>::Get().GetOwnStation();
    station.own_locator = "JO62QM";
    common::Service<logbook::ToSetups>::Get().SetOwnStation(station);
    common::Service<logbook::ToPrefix>::Create();
    common::Service<storage::DriverSystem>::Create();
    common::Service<logbook::ToDatPrefix>::Create();
    ok_ = storage::StartDriverSystem(0, 160, 32);
    common::Service<storage::DriverSystem>::Get().SetStartFolder(Folder() + "/");
    storage::SetDefaultRetryProc(
        [](std::string_view, int reason) { return reason == storage::kReasonCreate; });
    ok_ = ok_ && common::Service<logbook::ToDatPrefix>::Get().OpenFiles(
                     logbook::ToDatPrefix::kStartupBits, false);
  }
  ~ListServices() {
    common::Service<logbook::ToDatPrefix>::Get().CloseFiles(logbook::ToDatPrefix::kStartupBits,
                                                            false);
    storage::StopDriverSystem();
    common::Service<logbook::ToDatPrefix>::Destroy();
    common::Service<storage::DriverSystem>::Destroy();
    common::Service<logbook::ToPrefix>::Destroy();
    common::Service<logbook::ToSetups>::Destroy();
    common::Service<common::ToMessages>::Destroy();
    common::Service<common::ToDates>::Destroy();
    common::Service<common::TScreenSS>::Destroy();
    common::Service<common::ToWinskal>::Destroy();
  }
  bool ok() const { return ok_; }

 private:
  bool ok_ = false;
};

// Runs the list (select mode, short view) on `index` with `act` inside its modal loop.
void RunList(int index, const std::function<void(TDatenListeForm&)>& act) {
  platform::qt::Application().OnModalStarted = [&act](platform::qt::TForm& form) {
    auto& window = dynamic_cast<TDatenListeForm&>(form);
    act(window);
    window.SetModalResult(platform::qt::mrCancel);
  };
  TDatenPrefixListeCtrl list(nullptr, true, "", index, 0);
  list.Execute();
  platform::qt::Application().OnModalStarted = nullptr;
}

// Paints what is pending in the grid.
void Paint(TDatenListeForm& window) {
  window.Brow->GetGrid().Update();
  platform::qt::Application().ProcessMessages();
}

void Open(benchmark::State& state) {
  const ListServices services;
  if (!services.ok()) return state.SkipWithError("the prefix tables did not open");
  std::int64_t rows = 0;
  for (auto _ : state) {
    RunList(app::kPrefixIndexSelDxcc, [&rows](TDatenListeForm& window) {
      Paint(window);
      rows += window.Brow->GetGrid().RowCount();
    });
  }
  state.counters["grid rows"] = static_cast<double>(rows) / static_cast<double>(state.iterations());
}
BENCHMARK(Open)->Unit(benchmark::kMillisecond);

void PageMove(benchmark::State& state) {
  const ListServices services;
  if (!services.ok()) return state.SkipWithError("the prefix tables did not open");
  const int index = state.range(0) == 0 ? app::kPrefixIndexSelDxcc : app::kPrefixIndexCountry;
  std::int64_t moves = 0;
  RunList(index, [&](TDatenListeForm& window) {
    ui::TkvBrow& brow = *window.Brow;
    // One move, painted; false when the page stayed (the end or the start of the table).
    const auto move = [&](bool down) {
      const std::string before = common::LenArrayToShort(brow.GetCurrentKey());
      down ? brow.PageDown() : brow.PageUp();
      Paint(window);
      ++moves;
      return common::LenArrayToShort(brow.GetCurrentKey()) != before;
    };
    for (auto _ : state) {
      brow.GotoFirst();
      Paint(window);
      while (move(true)) {
      }
      while (move(false)) {
      }
    }
  });
  state.counters["moves"] = static_cast<double>(moves) / static_cast<double>(state.iterations());
  state.counters["per move"] = benchmark::Counter(
      static_cast<double>(moves), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(PageMove)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  benchmark::Initialize(&argc, argv);
  platform::qt::TApplication application(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(Folder());
  return 0;
}
