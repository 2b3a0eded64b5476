#include <array>
#include <atomic>
#include <cstdio>
#include <mutex>

#include "platform/call_hooks.h"

namespace win32_testing {
namespace {

constexpr const char* kCallNames[] = {
    "CreateFileA",     "GetFileInformationByHandle", "CreateFileMappingA",
    "MapViewOfFile",   "UnmapViewOfFile",            "CloseHandle",
    "HeapAlloc",       "HeapFree",                   "GetDC",
    "ReleaseDC",       "CreateCompatibleDC",         "DeleteDC",
    "SetTextColor",    "SetBkMode",                  "GetStockObject",
    "SelectObject",    "GetTextMetricsA",            "CreateCompatibleBitmap",
    "GetDIBits",       "PatBlt",                     "TextOutA",
    "DeleteObject",    "GetDeviceCaps",
};
static_assert(sizeof(kCallNames) / sizeof(kCallNames[0]) == static_cast<int>(Call::kCount),
              "one name per call");

struct FaultPlan {
  bool any_call = false;  // match every call that is not a release
  Call call = Call::kCount;
  uint32_t nth = 0;
  FaultMode mode = FaultMode::kOnce;
  uint32_t matched = 0;
  bool triggered = false;
};

std::mutex g_fault_mutex;
FaultPlan g_plan;

std::array<std::atomic<int>, static_cast<int>(win32_subset::Live::kCount)> g_live{};

std::mutex g_journal_mutex;
std::vector<std::string> g_journal;

void Arm(const FaultPlan& plan) {
  std::lock_guard<std::mutex> lock(g_fault_mutex);
  g_plan = plan;
  win32_subset::g_fault_armed.store(true);
}

}  // namespace

const char* CallName(Call call) {
  const int index = static_cast<int>(call);
  return index >= 0 && index < static_cast<int>(Call::kCount) ? kCallNames[index] : "?";
}

bool IsRelease(Call call) {
  switch (call) {
    case Call::kUnmapViewOfFile:
    case Call::kCloseHandle:
    case Call::kHeapFree:
    case Call::kReleaseDC:
    case Call::kDeleteDC:
    case Call::kDeleteObject:
      return true;
    default:
      return false;
  }
}

void ArmFault(Call call, uint32_t nth, FaultMode mode) {
  FaultPlan plan;
  plan.call = call;
  plan.nth = nth;
  plan.mode = mode;
  Arm(plan);
}

void ArmFaultOnAnyCall(uint32_t nth, FaultMode mode) {
  FaultPlan plan;
  plan.any_call = true;
  plan.nth = nth;
  plan.mode = mode;
  Arm(plan);
}

void DisarmFault() {
  std::lock_guard<std::mutex> lock(g_fault_mutex);
  g_plan = FaultPlan();
  win32_subset::g_fault_armed.store(false);
}

bool FaultTriggered() {
  std::lock_guard<std::mutex> lock(g_fault_mutex);
  return g_plan.triggered;
}

uint32_t MatchedCalls() {
  std::lock_guard<std::mutex> lock(g_fault_mutex);
  return g_plan.matched;
}

bool LiveObjects::operator==(const LiveObjects& o) const {
  return files == o.files && mappings == o.mappings && views == o.views &&
         heap_blocks == o.heap_blocks && screen_dcs == o.screen_dcs &&
         memory_dcs == o.memory_dcs && bitmaps == o.bitmaps &&
         selected_bitmaps == o.selected_bitmaps;
}

LiveObjects CountLiveObjects() {
  using win32_subset::Live;
  auto count = [](Live kind) { return g_live[static_cast<int>(kind)].load(); };
  LiveObjects live;
  live.files = count(Live::kFile);
  live.mappings = count(Live::kMapping);
  live.views = count(Live::kView);
  live.heap_blocks = count(Live::kHeapBlock);
  live.screen_dcs = count(Live::kScreenDC);
  live.memory_dcs = count(Live::kMemoryDC);
  live.bitmaps = count(Live::kBitmap);
  live.selected_bitmaps = count(Live::kSelectedBitmap);
  return live;
}

std::string Describe(const LiveObjects& live) {
  char text[200];
  std::snprintf(text, sizeof text,
                "files=%d mappings=%d views=%d heap_blocks=%d screen_dcs=%d memory_dcs=%d "
                "bitmaps=%d selected_bitmaps=%d",
                live.files, live.mappings, live.views, live.heap_blocks, live.screen_dcs,
                live.memory_dcs, live.bitmaps, live.selected_bitmaps);
  return text;
}

void StartJournal() {
  std::lock_guard<std::mutex> lock(g_journal_mutex);
  g_journal.clear();
  win32_subset::g_journalling = true;
}

std::vector<std::string> StopJournal() {
  std::lock_guard<std::mutex> lock(g_journal_mutex);
  win32_subset::g_journalling = false;
  std::vector<std::string> entries;
  entries.swap(g_journal);
  return entries;
}

}  // namespace win32_testing

namespace win32_subset {

std::atomic<bool> g_fault_armed{false};
std::atomic<bool> g_journalling{false};

bool FailArmed(Call call, DWORD error) {
  using namespace win32_testing;
  std::lock_guard<std::mutex> lock(g_fault_mutex);
  FaultPlan& plan = g_plan;
  const bool matches = plan.any_call ? !IsRelease(call) : plan.call == call;
  if (!matches) return false;
  ++plan.matched;
  const bool fail = plan.matched == plan.nth ||
                    (plan.mode == FaultMode::kPersistent && plan.matched > plan.nth);
  if (!fail) return false;
  plan.triggered = true;
  SetLastError(error);
  return true;
}

void Acquired(Live kind) { win32_testing::g_live[static_cast<int>(kind)].fetch_add(1); }

void Released(Live kind) { win32_testing::g_live[static_cast<int>(kind)].fetch_sub(1); }

void JournalEntry(const char* entry) {
  using namespace win32_testing;
  std::lock_guard<std::mutex> lock(g_journal_mutex);
  if (g_journalling.load()) g_journal.emplace_back(entry);
}

}  // namespace win32_subset
