#include <gtest/gtest.h>

#include "engine/utf8.h"

namespace norlune {
namespace {

TEST(HanTextTest, ChineseCharactersAndTheirNeighbours) {
    struct Row {
        char32_t cp;
        bool han;
    };
    const Row rows[] = {
        {U'王', true},    {U'〇', true},    {0x3400, true},  {0x4DBF, true},   {0x4E00, true},
        {0x9FFF, true},   {0xF900, true},   {0xFAFF, true},  {0x20000, true},  {0x2A6DF, true},
        {0x2B740, true},  {0x2F800, true},  {0x30000, true}, {0x323AF, true},  {U'a', false},
        {U'1', false},    {U' ', false},    {U'\t', false},  {0x3000, false},  {0x3001, false},
        {0x3006, false},  {0x3008, false},  {0x33FF, false}, {0x4DC0, false},  {0xA000, false},
        {0xF8FF, false},  {0xFB00, false},  {0xFF21, false}, {0x2E80, false},  {0x1F600, false},
        {0x1FFFF, false}, {0x323B0, false}, {0xFFFD, false}, {0x10FFFF, false}};
    for (const Row& row : rows) {
        EXPECT_EQ(isHanCharacter(row.cp), row.han) << std::hex << static_cast<unsigned>(row.cp);
    }
    EXPECT_TRUE(isHanText("欧阳〇"));
    EXPECT_FALSE(isHanText(""));
    EXPECT_FALSE(isHanText("王a"));
    EXPECT_FALSE(isHanText("王\xe7\x8e"));  // a cut-off character
}

}  // namespace
}  // namespace norlune
