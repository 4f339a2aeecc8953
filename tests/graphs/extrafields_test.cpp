// The two extra values of the buffers' added-volume graphs, read as the chooser reads them.
#include "graphs/extrafields.h"

#include "engine/slots.h"

#include <gtest/gtest.h>

namespace corvane::graphs {
namespace {

using engine::EmptyValue;
using engine::IsEmpty;
namespace buffer = engine::slot::buffer;

struct Fields {
    const char* volume;
    const char* added;
    bool ok;
    double volume15; // EmptyValue for an emptied slot
    double added16;
};

TEST(ExtraFields, ReadVolumeThenConcentrationAndEmptyTheFailingSlot) {
    const Fields cases[] = {
        {"100", "0.1", true, 100, 0.1},
        {"50", "2,5", true, 50, 2.5},
        {"5%", "1/8", true, 0.05, 0.125},
        {"", "0.1", false, EmptyValue, EmptyValue},
        {"  ", "0.1", false, EmptyValue, EmptyValue},
        {"0", "0.1", false, EmptyValue, EmptyValue},
        {"-5", "0.1", false, EmptyValue, EmptyValue},
        {"1/0", "0.1", false, EmptyValue, EmptyValue},
        {"100", "0", false, 100, EmptyValue},
        {"100", "", false, 100, EmptyValue},
        {"100", "-0.1", false, 100, EmptyValue},
    };
    for (const Fields& f : cases) {
        engine::EquilAB state;
        state.IOValues[buffer::Volume] = 7;
        state.IOValues[buffer::AddedConcentration] = 7;
        state.CalcError = 1;
        numtext::NumberSettings numbers;
        EXPECT_EQ(ReadExtraFields(f.volume, f.added, state, numbers), f.ok) << f.volume;
        EXPECT_EQ(state.CalcError, f.ok ? 0 : 1) << f.volume << " " << f.added;
        for (auto [slot, expected] : {std::pair{buffer::Volume, f.volume15},
                                      std::pair{buffer::AddedConcentration, f.added16}}) {
            if (IsEmpty(expected))
                EXPECT_TRUE(IsEmpty(state.IOValues[slot])) << f.volume << " " << f.added;
            else
                EXPECT_DOUBLE_EQ(state.IOValues[slot], expected) << f.volume << " " << f.added;
        }
    }
}

TEST(ExtraFields, FieldTextOfASlot) {
    EXPECT_EQ(ExtraFieldText(0.123456, 4, '.'), "0.1235");
    EXPECT_EQ(ExtraFieldText(0.5, 4, ','), "0,5");
    EXPECT_EQ(ExtraFieldText(EmptyValue, 4, '.'), "");
}

} // namespace
} // namespace corvane::graphs
