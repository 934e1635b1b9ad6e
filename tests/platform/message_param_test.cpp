#include "tev/message_param.hpp"

#include <gtest/gtest.h>

#include "tev/runtime_error.hpp"

namespace tev {
namespace {

// Reading a parameter as the wrong kind is a clear error naming the operation and both kinds,
// never a reinterpretation of the stored value.
TEST(MessageParamTest, WrongAlternativeRaisesAClearError) {
    struct Case {
        const char* name;
        MessageParam param;
        std::string expectedInMessage;
    };
    const Case cases[] = {
        {"unset as position", MessageParam{},
         "expected a position pair message parameter, got unset"},
        {"number as position", MessageParam{3}, "got number 3"},
        {"size as position", MessageParam{SizePair{2, 3}}, "got size pair {2, 3}"},
        {"rect as position", MessageParam{Rect{0, 0, 9, 9}}, "got rectangle {0, 0, 9, 9}"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.param.asPosition("op");
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.operation(), "op");
            EXPECT_NE(std::string(e.what()).find(c.expectedInMessage), std::string::npos)
                << e.what();
        }
    }
    EXPECT_THROW(MessageParam(PositionPair{1, 2}).asNumber("op"), RuntimeError);
    EXPECT_THROW(MessageParam(1.5).asRect("op"), RuntimeError);
    EXPECT_THROW(MessageParam(1.5).asSize("op"), RuntimeError);
}

TEST(MessageParamTest, RightAlternativeReadsBack) {
    EXPECT_EQ(MessageParam(7).asNumber("op"), 7.0);
    EXPECT_EQ(MessageParam(PositionPair{-3, 4.5}).asPosition("op"), (PositionPair{-3, 4.5}));
    EXPECT_EQ(MessageParam(SizePair{16, 16}).asSize("op"), (SizePair{16, 16}));
    EXPECT_EQ(MessageParam(Rect{1, 2, 3, 4}).asRect("op"), (Rect{1, 2, 3, 4}));
    EXPECT_TRUE(MessageParam().isUnset());
}

}  // namespace
}  // namespace tev
