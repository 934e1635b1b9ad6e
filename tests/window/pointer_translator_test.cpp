// The window backend's translation of the system's mouse reports, without a display: merged
// movements, positions mapped back from the enlarged window, and the lost-capture report
// that makes every drag end.
#include "pointer_translator.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace tev {

void PrintTo(const PointerInput& input, std::ostream* out) {
    static const char* const kNames[] = {"Press", "Move", "Release", "Close", "CaptureLost"};
    *out << kNames[static_cast<int>(input.kind)] << "(" << input.x << ", " << input.y << ")";
}

namespace {

using Kind = PointerInput::Kind;

// What the system reports, or the platform says, one call of the translator each.
struct Report {
    enum class Op {
        Press,
        Release,
        Motion,            // with the left button held
        MotionButtonUp,    // the left button is up
        FocusLost,         // or hidden, or minimised
        CaptureTaken,      // the platform took the capture
        CaptureGivenBack,  // the platform gave it back
        NextBatch,         // the platform fetched what came so far
    };
    Op op;
    int x = 0;
    int y = 0;
};

Report press(int x, int y) {
    return {Report::Op::Press, x, y};
}
Report release(int x, int y) {
    return {Report::Op::Release, x, y};
}
Report drag(int x, int y) {
    return {Report::Op::Motion, x, y};
}
Report hover(int x, int y) {
    return {Report::Op::MotionButtonUp, x, y};
}
constexpr Report focusLost{Report::Op::FocusLost};
constexpr Report captureTaken{Report::Op::CaptureTaken};
constexpr Report captureGivenBack{Report::Op::CaptureGivenBack};
constexpr Report nextBatch{Report::Op::NextBatch};

struct TranslatorCase {
    const char* name;
    int scale;
    std::vector<Report> reports;
    // Every batch, one after another.
    std::vector<PointerInput> expected;
};

void PrintTo(const TranslatorCase& translatorCase, std::ostream* out) {
    *out << translatorCase.name;
}

const TranslatorCase kCases[] = {
    {"ConsecutiveMovesMergeToTheLatest",
     1,
     {hover(1, 1), hover(2, 2), press(3, 3), drag(4, 4), drag(5, 5), release(6, 6), hover(7, 7)},
     {{Kind::Move, 2, 2},
      {Kind::Press, 3, 3},
      {Kind::Move, 5, 5},
      {Kind::Release, 6, 6},
      {Kind::Move, 7, 7}}},
    {"MovesOfDifferentBatchesStaySeparate",
     1,
     {hover(1, 1), nextBatch, hover(2, 2)},
     {{Kind::Move, 1, 1}, {Kind::Move, 2, 2}}},
    {"PositionsMapBackByFloorDivision",
     3,
     {press(5, 3), drag(-1, -3), drag(1922, -4), release(-6, 1200)},
     {{Kind::Press, 1, 1}, {Kind::Move, 640, -2}, {Kind::Release, -2, 400}}},
    {"FocusLostDuringADragEndsItOnce",
     1,
     {press(10, 10), nextBatch, captureTaken, drag(20, 10), focusLost, focusLost, nextBatch,
      captureGivenBack, drag(30, 10), release(30, 10), focusLost},
     {{Kind::Press, 10, 10},
      {Kind::Move, 20, 10},
      {Kind::CaptureLost, 0, 0},
      {Kind::Move, 30, 10},
      {Kind::Release, 30, 10}}},
    {"FocusLostWhileThePressStillWaitsInTheBatch",
     1,
     {press(10, 10), focusLost},
     {{Kind::Press, 10, 10}, {Kind::CaptureLost, 0, 0}}},
    {"FocusLostWhileOnlyThePlatformHoldsTheCapture",
     1,
     {captureTaken, focusLost, focusLost},
     {{Kind::CaptureLost, 0, 0}}},
    {"FocusLostWithoutADragReportsNothing",
     1,
     {hover(5, 5), focusLost, press(6, 6), release(6, 6), focusLost},
     {{Kind::Move, 5, 5}, {Kind::Press, 6, 6}, {Kind::Release, 6, 6}}},
    {"ButtonUpWithoutAReleaseEndsTheDrag",
     1,
     {press(10, 10), drag(12, 10), nextBatch, hover(14, 10), hover(16, 10)},
     {{Kind::Press, 10, 10},
      {Kind::Move, 12, 10},
      {Kind::CaptureLost, 0, 0},
      {Kind::Move, 16, 10}}},
    {"EveryNewDragCanBeInterruptedAgain",
     1,
     {press(1, 1), focusLost, release(1, 1), press(2, 2), focusLost},
     {{Kind::Press, 1, 1},
      {Kind::CaptureLost, 0, 0},
      {Kind::Release, 1, 1},
      {Kind::Press, 2, 2},
      {Kind::CaptureLost, 0, 0}}},
};

class PointerTranslatorTest : public ::testing::TestWithParam<TranslatorCase> {};

TEST_P(PointerTranslatorTest, TranslatesTheReports) {
    const TranslatorCase& translatorCase = GetParam();
    PointerTranslator translator(translatorCase.scale);
    std::vector<PointerInput> all;
    std::vector<PointerInput> batch;
    for (const Report& report : translatorCase.reports) {
        switch (report.op) {
            case Report::Op::Press:
                translator.press(report.x, report.y, batch);
                break;
            case Report::Op::Release:
                translator.release(report.x, report.y, batch);
                break;
            case Report::Op::Motion:
                translator.motion(report.x, report.y, true, batch);
                break;
            case Report::Op::MotionButtonUp:
                translator.motion(report.x, report.y, false, batch);
                break;
            case Report::Op::FocusLost:
                translator.mouseTakenAway(batch);
                break;
            case Report::Op::CaptureTaken:
                translator.captureChanged(true);
                break;
            case Report::Op::CaptureGivenBack:
                translator.captureChanged(false);
                break;
            case Report::Op::NextBatch:
                all.insert(all.end(), batch.begin(), batch.end());
                batch.clear();
                break;
        }
    }
    all.insert(all.end(), batch.begin(), batch.end());
    EXPECT_EQ(all, translatorCase.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PointerTranslatorTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<TranslatorCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace tev
