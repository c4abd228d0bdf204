// Writes the fuzz targets' seed corpus with the runtime's own writers: a few
// well-formed inputs per target, laid out as each harness reads its input,
// from which the fuzzer mutates its way into the corners.
// Usage: fuzz_seeds DIRECTORY (one subdirectory per target).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/ui/type_data.h"
#include "runtime/ui/type_data_io.h"
#include "runtime/ui/window_templates.h"

namespace tessaly::ui {
namespace {

namespace fs = std::filesystem;

void writeSeed(const fs::path& directory, const std::string& name, const std::string& bytes)
{
    fs::create_directories(directory);
    std::ofstream(directory / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string asText(const Bytes& bytes) { return {bytes.begin(), bytes.end()}; }

UnitRecord unit(uint32_t typeId, const char* name, Bytes typeData, std::vector<EventBinding> bindings = {})
{
    UnitRecord r;
    r.typeId = typeId;
    r.name = name;
    r.position = {8, 8, 120, 24};
    r.flags = UnitFlag::Visible | UnitFlag::TabStop;
    r.bindings = std::move(bindings);
    r.typeData = std::move(typeData);
    return r;
}

MenuItemRecord menuItem(const char* caption, uint32_t level, uint32_t routine)
{
    MenuItemRecord m;
    m.caption = caption;
    m.level = level;
    m.state = level == 0 ? MenuState::Hidden : 0;
    m.routine = routine;
    return m;
}

// A window like the display window: its own record, a label with a font, a
// tray menu with an entry and a separator, a timer; and a second window
// whose group box holds a copied label.
Bytes templateBlock()
{
    WindowData own;
    own.title = "Tessaly字幕";
    own.icon = Bytes(16, 0xA5);
    LabelData label;
    label.caption = "标签";
    label.font = makeLogFont(-12, 400, 134, "宋体");
    TimerData timer;
    timer.interval = 20;

    WindowTemplate display;
    display.id = 0x52010003;
    display.units.addRecord(0x06010002, encodeUnitRecord(unit(TypeId::Window, "", writeTypeData(WindowRows, own), {{0, 0}, {9, 16}})));
    display.units.addRecord(0x16012A37, encodeUnitRecord(unit(TypeId::Label, "标签1", writeTypeData(LabelRows, label), {{-1, 32}, {0, 48}})));
    display.units.addRecord(0x26012A38, encodeMenuItemRecord(menuItem("托盘菜单", 0, NoRoutineWord)));
    display.units.addRecord(0x26012A39, encodeMenuItemRecord(menuItem("显示界面", 1, 64)));
    display.units.addRecord(0x26012A3B, encodeMenuItemRecord(menuItem("-", 1, NoRoutineWord)));
    display.units.addRecord(0x16010006, encodeUnitRecord(unit(TypeId::Timer, "时钟1", writeTypeData(TimerRows, timer), {{0, 80}})));

    WindowTemplate settings;
    settings.id = 0x520154F4;
    GroupBoxData group;
    group.caption = "设置";
    UnitRecord box = unit(TypeId::GroupBox, "分组框1", writeTypeData(GroupBoxRows, group));
    box.children = {0x16015624};
    UnitRecord held = unit(TypeId::Label, "标签2", writeTypeData(LabelRows, label));
    held.container = 0x16015622;
    held.eventSource = 0x16015625;
    settings.units.addRecord(0x060154F3, encodeUnitRecord(unit(TypeId::Window, "", writeTypeData(WindowRows, WindowData{}))));
    settings.units.addRecord(0x16015622, encodeUnitRecord(box));
    settings.units.addRecord(0x16015624, encodeUnitRecord(held));
    settings.units.addRecord(0x16015625, encodeUnitRecord(unit(TypeId::Label, "标签3", writeTypeData(LabelRows, label), {{-3, 96}})));
    return writeTemplateBlock({&display, &settings});
}

// One seed per unit type, in the order of type_data_fuzz's readers: the
// choice byte, then the type's data as written.
std::vector<Bytes> typeData()
{
    ComboBoxData combo;
    combo.items = {"常规", "加粗", "倾斜", "粗斜体"};
    CheckListBoxData list;
    list.items = {"字幕 (不滚动)", "字幕 (左到右)"};
    list.itemValues = Bytes(8, 1);
    EditBoxData edit;
    edit.content = "Tessaly字幕";
    PicBoxData picture;
    picture.picture = Bytes(12, 0x89);
    ButtonData button;
    button.caption = "确认";
    CheckBoxData check;
    check.caption = "删除线";
    return {writeTypeData(WindowRows, WindowData{}), writeTypeData(LabelRows, LabelData{}), writeTypeData(ButtonRows, button),
            writeTypeData(GroupBoxRows, GroupBoxData{}), writeTypeData(CheckBoxRows, check), writeTypeData(ComboBoxRows, combo),
            writeTypeData(EditBoxRows, edit), writeTypeData(PicBoxRows, picture), writeTypeData(ColorPickerRows, ColorPickerData{}),
            writeTypeData(SliderBarRows, SliderBarData{}), writeTypeData(TimerRows, TimerData{}), writeTypeData(CheckListBoxRows, list)};
}

std::string lengthByte(const std::string& piece) { return std::string(1, static_cast<char>(piece.size())) + piece; }

std::string length16(const std::string& piece)
{
    return std::string{static_cast<char>(piece.size() & 0xFF), static_cast<char>(piece.size() >> 8)} + piece;
}

// caption_store_fuzz: line number, a line, the captions file, the configuration file.
void writeStoreSeeds(const fs::path& directory)
{
    const std::string current = "宋体*-ZPMek-*12*-ZPMek-*255*-ZPMek-*4194368*-ZPMek-*真*-ZPMek-*2*-ZPMek-*真"
                                "*-ZPMek-*10*-ZPMek-*10*-ZPMek-*假*-ZPMek-*假*-ZPMek-*1";
    const std::string earlier = "黑体*-ZPMek-*20*-ZPMek-*0*-ZPMek-*65535*-ZPMek-*假*-ZPMek-*1*-ZPMek-*假*-ZPMek-*300*-ZPMek-*40";
    writeSeed(directory, "paired", "\x02" + lengthByte(current) + length16("第一条\r\n第二条") + current + "\r\n" + earlier);
    writeSeed(directory, "orphans", "\x01" + lengthByte("新字幕") + length16("只有一条\r\n") + earlier + "\r\n\r\n" + current);
    writeSeed(directory, "short-lines", "\x03" + lengthByte("") + length16("a\r\n\r\nb\r\nc") + "宋体*-ZPMek-*8\r\n" + current);
}

// text_commands_fuzz: sought, replacement, start, count, limit, letter case, subject.
void writeTextSeeds(const fs::path& directory)
{
    const std::string numbers = std::string("\x01\x00\x00\x00", 4) + std::string("\x03\x00\x00\x00\x01", 5) +
                                std::string("\xFF\xFF\xFF\xFF\x01", 5) + std::string(1, '\x00');
    writeSeed(directory, "lines", lengthByte("\r\n") + lengthByte("") + numbers + "第一行\r\n\r\n第二行\r\n");
    writeSeed(directory, "fields", lengthByte("*-ZPMek-*") + lengthByte("|") + numbers + "宋体*-ZPMek-*8*-ZPMek-*真");
    writeSeed(directory, "letters", lengthByte("ab") + lengthByte("XY") + numbers + "aAbB字ab字AB");
}

// conversion_commands_fuzz: an integer, the array-or-scalar choice, the value.
void writeConversionSeeds(const fs::path& directory)
{
    const std::string integer("\x39\x30\x00\x00", 4);
    writeSeed(directory, "text", integer + std::string("\x01\x08", 2) + std::string(8, '\0') + "  -123４５");
    writeSeed(directory, "double", integer + std::string("\x01\x05", 2) + std::string("\x00\x00\x00\x00\x00\x00\x24\x40", 8));
    writeSeed(directory, "date", integer + std::string("\x01\x07", 2) + std::string("\x00\x00\x00\x00\x80\xE1\xE5\x40", 8));
    writeSeed(directory, "array", integer + std::string("\x00\x02\x01\x04", 4) + "abcdefgh");
}

}  // namespace
}  // namespace tessaly::ui

int main(int argc, char** argv)
{
    using namespace tessaly::ui;
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds DIRECTORY\n");
        return 2;
    }
    const fs::path root = argv[1];
    writeSeed(root / "template_block", "two-windows", asText(templateBlock()));
    const std::vector<Bytes> types = typeData();
    for (size_t i = 0; i < types.size(); ++i)
        writeSeed(root / "type_data", "type-" + std::to_string(i), std::string(1, static_cast<char>(i)) + asText(types[i]));
    writeStoreSeeds(root / "caption_store");
    writeTextSeeds(root / "text_commands");
    writeConversionSeeds(root / "conversion_commands");
    return 0;
}
