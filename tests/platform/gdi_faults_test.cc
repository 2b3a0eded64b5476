// Injected failures of the GDI calls: each returns its failure value with the error
// Windows reports and acquires nothing; a failed release leaves its object alive. And
// the journal of the calls a picture takes.
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/platform/gdi_test_support.h"

namespace gdi_test {
namespace {

using win32_testing::Call;
using win32_testing::CallName;
using win32_testing::CountLiveObjects;
using win32_testing::Describe;
using win32_testing::FaultMode;
using win32_testing::LiveObjects;

DWORD ErrorOf(Call call) {
  switch (call) {
    case Call::kGetDC:
    case Call::kCreateCompatibleDC:
    case Call::kCreateCompatibleBitmap:
      return ERROR_NOT_ENOUGH_MEMORY;
    case Call::kGetStockObject:
      return ERROR_INVALID_PARAMETER;
    default:
      return ERROR_INVALID_HANDLE;
  }
}

// The first call of a run that returned its failure value.
struct Failure {
  Call call = Call::kCount;
  DWORD error = 0;
  LiveObjects before;  // just before the call
  LiveObjects after;   // just after it
};

// The calls that draw a line of text into a bitmap and read it back, stopping at the
// first that fails; the destructor releases what the run holds.
class PictureRun {
 public:
  ~PictureRun() {
    if (selected_) SelectObject(memory_, initial_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    if (memory_ != nullptr) DeleteDC(memory_);
    if (screen_ != nullptr) ReleaseDC(nullptr, screen_);
  }

  // True when every call succeeded.
  bool Execute() {
    HGDIOBJ font = nullptr, previous = nullptr;
    TEXTMETRICA metrics;
    BOOL ok = FALSE;
    COLORREF colour = 0;
    int value = 0;
    struct {
      BITMAPINFOHEADER header;
      RGBQUAD colours[256];
    } info{};
    std::vector<uint8_t> bits(24 * 16 * 4);
    if (!Step(Call::kGetDC, [&] { return screen_ = GetDC(nullptr); }) ||
        !Step(Call::kGetDeviceCaps, [&] { return value = GetDeviceCaps(screen_, BITSPIXEL); }) ||
        !Step(Call::kCreateCompatibleDC, [&] { return memory_ = CreateCompatibleDC(screen_); }) ||
        !Step(Call::kCreateCompatibleBitmap,
              [&] { return bitmap_ = CreateCompatibleBitmap(screen_, 24, 16); }) ||
        !Step(Call::kSelectObject, [&] { return initial_ = SelectObject(memory_, bitmap_); })) {
      return false;
    }
    selected_ = true;
    if (!Step(Call::kGetStockObject, [&] { return font = GetStockObject(OEM_FIXED_FONT); }) ||
        !Step(Call::kSelectObject, [&] { return previous = SelectObject(memory_, font); }) ||
        !Step(Call::kGetTextMetricsA, [&] { return ok = GetTextMetricsA(memory_, &metrics); }) ||
        !Step(Call::kSetTextColor,
              [&] { return colour = SetTextColor(memory_, RGB(0xF0, 0xF0, 0xF0)); },
              CLR_INVALID) ||
        !Step(Call::kSetBkMode, [&] { return value = SetBkMode(memory_, TRANSPARENT); }) ||
        !Step(Call::kPatBlt, [&] { return ok = PatBlt(memory_, 0, 0, 24, 16, BLACKNESS); }) ||
        !Step(Call::kTextOutA, [&] { return ok = TextOutA(memory_, 0, 0, "A\xB3\xDB", 3); }) ||
        !Step(Call::kSelectObject, [&] { return previous = SelectObject(memory_, initial_); })) {
      return false;
    }
    selected_ = false;
    info.header.biSize = sizeof info.header;
    info.header.biWidth = 24;
    info.header.biHeight = 16;
    info.header.biPlanes = 1;
    info.header.biBitCount = 32;
    return Step(Call::kGetDIBits, [&] {
      return value = GetDIBits(screen_, bitmap_, 0, 16, bits.data(),
                               reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    });
  }

  const Failure& failure() const { return failure_; }

 private:
  // Makes `call` through `make`; false, noting the failure, when it returns `failed`.
  template <typename Make, typename Result = decltype(std::declval<Make>()())>
  bool Step(Call call, Make make, Result failed = Result{}) {
    const LiveObjects before = CountLiveObjects();
    SetLastError(0);
    if (make() != failed) return true;
    failure_ = {call, GetLastError(), before, CountLiveObjects()};
    return false;
  }

  HDC screen_ = nullptr;
  HDC memory_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ initial_ = nullptr;
  bool selected_ = false;
  Failure failure_;
};

using GdiFaultTest = GdiTest;

TEST_F(GdiFaultTest, EachCallFailsAsWindowsWouldAndAcquiresNothing) {
  const LiveObjects baseline = CountLiveObjects();
  std::set<Call> failed_calls;
  for (uint32_t nth = 1;; ++nth) {
    SCOPED_TRACE(testing::Message() << "failing call " << nth);
    win32_testing::ArmFaultOnAnyCall(nth, FaultMode::kOnce);
    bool completed;
    Failure failure;
    {
      PictureRun run;
      completed = run.Execute();
      failure = run.failure();
    }
    const bool triggered = win32_testing::FaultTriggered();
    win32_testing::DisarmFault();
    EXPECT_TRUE(CountLiveObjects() == baseline) << Describe(CountLiveObjects());
    if (completed) {
      EXPECT_FALSE(triggered) << "a failure the run did not see";
      break;
    }
    ASSERT_TRUE(triggered) << CallName(failure.call) << " failed by itself";
    failed_calls.insert(failure.call);
    EXPECT_EQ(failure.error, ErrorOf(failure.call)) << CallName(failure.call);
    EXPECT_TRUE(failure.after == failure.before)
        << CallName(failure.call) << " acquired " << Describe(failure.after) << "\nhaving "
        << Describe(failure.before);
    ASSERT_LT(nth, 100u);
  }
  const std::set<Call> gdi_calls = {
      Call::kGetDC,          Call::kCreateCompatibleDC, Call::kSetTextColor,
      Call::kSetBkMode,      Call::kGetStockObject,     Call::kSelectObject,
      Call::kGetTextMetricsA, Call::kCreateCompatibleBitmap, Call::kGetDIBits,
      Call::kPatBlt,         Call::kTextOutA,           Call::kGetDeviceCaps};
  EXPECT_EQ(failed_calls, gdi_calls);
}

TEST_F(GdiFaultTest, AFailedReleaseLeavesTheObjectAlive) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
  const LiveObjects all = CountLiveObjects();
  const struct {
    Call call;
    std::function<bool()> release;
  } cases[] = {
      {Call::kDeleteObject, [&] { return DeleteObject(bitmap) != FALSE; }},
      {Call::kDeleteDC, [&] { return DeleteDC(memory) != FALSE; }},
      {Call::kReleaseDC, [&] { return ReleaseDC(nullptr, screen) != 0; }},
  };
  for (const auto& c : cases) {
    win32_testing::ArmFault(c.call, 1, FaultMode::kOnce);
    SetLastError(0);
    EXPECT_FALSE(c.release()) << CallName(c.call);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE)) << CallName(c.call);
    EXPECT_TRUE(win32_testing::FaultTriggered()) << CallName(c.call);
    win32_testing::DisarmFault();
    EXPECT_TRUE(CountLiveObjects() == all) << CallName(c.call);
  }
  for (const auto& c : cases) EXPECT_TRUE(c.release()) << CallName(c.call) << " again";
}

TEST_F(GdiFaultTest, TheJournalListsTheSuccessfulCalls) {
  win32_testing::StartJournal();
  {
    PictureRun run;
    ASSERT_TRUE(run.Execute());
    EXPECT_EQ(SetBkMode(nullptr, OPAQUE), 0) << "refused, so not journalled";
  }
  const std::vector<std::string> expected = {
      "GetDC",          "GetDeviceCaps",        "CreateCompatibleDC",
      "CreateCompatibleBitmap", "SelectObject(bitmap)", "GetStockObject",
      "SelectObject(font)", "GetTextMetricsA",  "SetTextColor",
      "SetBkMode",      "PatBlt",               "TextOutA",
      "SelectObject(bitmap)", "GetDIBits",      "DeleteObject(bitmap)",
      "DeleteDC",       "ReleaseDC"};
  EXPECT_EQ(win32_testing::StopJournal(), expected);
}

}  // namespace
}  // namespace gdi_test
