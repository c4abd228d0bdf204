// The type-data codecs: what is written reads back, older versions read with
// defaults, and a version above a type's highest is refused.
#include <gtest/gtest.h>

#include <functional>

#include "runtime/ui/byte_writer.h"
#include "runtime/ui/type_data.h"
#include "runtime/ui/type_data_io.h"

namespace tessaly::ui {
namespace {

struct Codec {
    const char* type;
    uint32_t highest;
    Bytes written;                         // the type's defaults, as written
    std::function<bool(ByteView)> reads;   // whether the data reads
};

template <class D, size_t N>
Codec codec(const char* type, const FieldRow<D> (&rows)[N])
{
    return {type, D::HighestVersion, writeTypeData(rows, D{}), [&rows](ByteView b) { return readTypeData(rows, b).has_value(); }};
}

std::vector<Codec> allCodecs()
{
    return {
        codec("window", WindowRows),
        codec("label", LabelRows),
        codec("button", ButtonRows),
        codec("group box", GroupBoxRows),
        codec("check box", CheckBoxRows),
        codec("combo box", ComboBoxRows),
        codec("edit box", EditBoxRows),
        codec("picture box", PicBoxRows),
        codec("colour picker", ColorPickerRows),
        codec("slider", SliderBarRows),
        codec("timer", TimerRows),
        codec("check-list box", CheckListBoxRows),
    };
}

TEST(TypeData, EachTypeWritesItsHighestVersionAndRefusesAHigherOne)
{
    for (const Codec& c : allCodecs()) {
        SCOPED_TRACE(c.type);
        ASSERT_GE(c.written.size(), 4u);
        EXPECT_EQ(loadU32(c.written.data()), c.highest);
        EXPECT_TRUE(c.reads(c.written));
        Bytes newer = c.written;
        storeU32(newer.data(), c.highest + 1);
        EXPECT_FALSE(c.reads(newer));
        storeU32(newer.data(), 0);
        EXPECT_FALSE(c.reads(newer));
    }
}

TEST(TypeData, EveryShortenedDataIsRefused)
{
    for (const Codec& c : allCodecs()) {
        SCOPED_TRACE(c.type);
        for (size_t n = 0; n < c.written.size(); ++n) {
            const Bytes cut(c.written.begin(), c.written.begin() + static_cast<ptrdiff_t>(n));
            EXPECT_FALSE(c.reads(cut)) << n;
        }
    }
}

// Version 3 adds the caption effect and its colour after the stored texts.
TEST(TypeData, SettingsLabelIsNinetySixBytesInVersionTwo)
{
    LabelData d;
    d.caption = "透明度：";
    d.captionEffect = 2;
    Bytes b = writeTypeData(LabelRows, d);
    EXPECT_EQ(b.size(), 104u);
    b.resize(96);
    storeU32(b.data(), 2);
    const auto back = readTypeData(LabelRows, b);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->frameWidth, 8);
    EXPECT_EQ(back->frameColours[1], 0xFFFFFFu);
    EXPECT_EQ(back->backgroundColour, 0xFF000000u);
    EXPECT_EQ(back->pictureMode, 1);
    EXPECT_EQ(back->verticalAlignment, 1);
    EXPECT_EQ(back->caption, "透明度：");
    EXPECT_EQ(back->captionEffect, 0);
}

TEST(TypeData, AVersionOneLabelEndsAfterItsCaption)
{
    LabelData d;
    d.caption = "old";
    Bytes b = writeTypeData(LabelRows, d);
    b.resize(b.size() - 16);  // drop the two stored texts and the effect
    storeU32(b.data(), 1);
    const auto back = readTypeData(LabelRows, b);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->caption, "old");
}

TEST(TypeData, AVersionOneWindowKeepsTheLaterDefaults)
{
    ByteWriter out;
    out.u32(1);
    for (int i = 0; i < 13; ++i) out.i32(i == 0 ? 2 : 0);
    for (int i = 0; i < 3; ++i) out.u32(0);  // picture, icon, sound
    out.counted(std::string_view("title")).counted(std::string_view(""));
    const auto w = readTypeData(WindowRows, out.bytes());
    ASSERT_TRUE(w);
    EXPECT_EQ(w->border, 2);
    EXPECT_EQ(w->title, "title");
    EXPECT_EQ(w->showInTaskBar, 1);
    EXPECT_TRUE(w->className.empty());
    // Written again it is version 6, with the switches it lacked.
    EXPECT_EQ(loadU32(writeTypeData(WindowRows, *w).data()), 6u);
}

TEST(TypeData, AFontIsEitherAbsentOrOneLogFont)
{
    ButtonData d;
    d.font = makeLogFont(-12, 700, 134, "宋体");
    d.caption = "确认";
    const auto back = readTypeData(ButtonRows, writeTypeData(ButtonRows, d));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->font, d.font);
    EXPECT_EQ(back->caption, "确认");
    d.font.resize(59);
    EXPECT_FALSE(readTypeData(ButtonRows, writeTypeData(ButtonRows, d)));
}

TEST(TypeData, ComboBoxKeepsItsItemsValuesAndSwitch)
{
    ComboBoxData d;
    d.items = {"左到右", "", "下到上"};
    d.itemValues = {1, 0, 0, 0};
    d.storedSwitch = 1;
    d.currentItem = 2;
    const auto back = readTypeData(ComboBoxRows, writeTypeData(ComboBoxRows, d));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->items, d.items);
    EXPECT_EQ(back->itemValues, d.itemValues);
    EXPECT_EQ(back->storedSwitch, 1);
    EXPECT_EQ(back->currentItem, 2);
}

TEST(TypeData, EditBoxPasswordCharacterIsSixteenBits)
{
    EditBoxData d;
    d.passwordChar = '#';
    d.upDownLower = -5;
    d.content = "Tessaly字幕";
    const Bytes b = writeTypeData(EditBoxRows, d);
    const auto back = readTypeData(EditBoxRows, b);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->passwordChar, '#');
    EXPECT_EQ(back->upDownLower, -5);
    EXPECT_EQ(back->content, d.content);
    EXPECT_EQ(b[40], '#') << "after ten words";
    EXPECT_EQ(b[42], 0) << "the letter case word follows at once";
}

}  // namespace
}  // namespace tessaly::ui
