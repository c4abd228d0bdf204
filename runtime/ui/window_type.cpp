// The window's own unit type: its properties 8-31 as data, and what a write
// of each does to the live window.
#include <array>

#include "runtime/core/text_encoding.h"
#include "runtime/ui/identifiers.h"
#include "runtime/ui/loaded_window.h"

namespace tessaly::ui {
namespace {

enum WindowProperty : int32_t {
    Title = 8, Border, BackgroundColour, BackgroundPicture, BackgroundPictureMode, BackgroundSound,
    SoundRepetition, ControlBox, MaximiseBox, MinimiseBox, WindowState, Movable, Icon, EnterMovesFocus,
    EscCloses, F1OpensHelp, HelpFile, HelpContext, ShowInTaskBar, MoveByDragging, Shape, AlwaysOnTop,
    StoredSwitch, ClassName,
};

constexpr std::array<PropertyInfo, 24> Properties = {{
    {Title, PropertyKind::Text, "title"},
    {Border, PropertyKind::Choice, "border", 0, 6},
    {BackgroundColour, PropertyKind::Colour, "background colour"},
    {BackgroundPicture, PropertyKind::Picture, "background picture"},
    {BackgroundPictureMode, PropertyKind::Choice, "background picture mode", 0, 3},
    {BackgroundSound, PropertyKind::Sound, "background sound"},
    {SoundRepetition, PropertyKind::Choice, "sound repetition", 0, 2},
    {ControlBox, PropertyKind::Logical, "control box"},
    {MaximiseBox, PropertyKind::Logical, "maximise box"},
    {MinimiseBox, PropertyKind::Logical, "minimise box"},
    {WindowState, PropertyKind::Choice, "window state", 0, 3},
    {Movable, PropertyKind::Logical, "movable"},
    {Icon, PropertyKind::Icon, "icon"},
    {EnterMovesFocus, PropertyKind::Logical, "Enter moves the focus"},
    {EscCloses, PropertyKind::Logical, "Esc closes"},
    {F1OpensHelp, PropertyKind::Logical, "F1 opens help"},
    {HelpFile, PropertyKind::Text, "help file"},
    {HelpContext, PropertyKind::Integer, "help context"},
    {ShowInTaskBar, PropertyKind::Logical, "show in task bar"},
    {MoveByDragging, PropertyKind::Logical, "move by dragging"},
    {Shape, PropertyKind::Choice, "shape", 0, 29},
    {AlwaysOnTop, PropertyKind::Logical, "always on top"},
    {StoredSwitch, PropertyKind::Logical, "stored switch"},
    {ClassName, PropertyKind::Text, "window class name"},
}};

class WindowUnitType final : public UnitType {
public:
    uint32_t typeId() const override { return TypeId::Window; }
    std::string_view name() const override { return "window"; }
    uint32_t flags() const override { return UnitTypeFlag::WindowControl; }
    std::span<const PropertyInfo> properties() const override { return Properties; }

    Unit* create(const UnitCreateParams& params) const override
    {
        auto data = readWindowData(params.typeData);
        if (!data) return nullptr;
        return Unit::bringToLife(std::make_unique<LoadedWindow>(*this, params.windowId, params.unitId, std::move(*data)),
                                 params);
    }

    bool setProperty(Unit& unit, int32_t ownIndex, const PropertyValue& value) const override
    {
        auto& window = static_cast<LoadedWindow&>(unit);
        WindowData& d = window.data();
        const int32_t n = value.asInt();
        const bool on = n != 0;
        switch (ownIndex + 8) {
        case Title:
            d.title = std::string(value.asText());
            SetWindowTextW(window.handle(), widenGbk(d.title).c_str());
            window.applyFrameStyle();
            break;
        case Border: d.border = n; window.applyFrameStyle(); break;
        case ControlBox: d.controlBox = on; window.applyFrameStyle(); break;
        case MaximiseBox: d.maximiseBox = on; window.applyFrameStyle(); break;
        case MinimiseBox: d.minimiseBox = on; window.applyFrameStyle(); break;
        case BackgroundColour: d.backgroundColour = static_cast<uint32_t>(n); repaint(window); break;
        case BackgroundPicture: assign(d.backgroundPicture, value); repaint(window); break;
        case BackgroundPictureMode: d.backgroundPictureMode = n; repaint(window); break;
        case BackgroundSound: assign(d.backgroundSound, value); break;
        case SoundRepetition: d.soundRepetition = n; break;
        case WindowState: window.applyState(n); break;
        case Movable: d.movable = on; window.applyMovable(); break;
        case Icon: assign(d.icon, value); window.applyIcon(); break;
        case EnterMovesFocus: d.enterMovesFocus = on; break;
        case EscCloses: d.escCloses = on; break;
        case F1OpensHelp: d.f1OpensHelp = on; break;
        case HelpFile: d.helpFile = std::string(value.asText()); break;
        case HelpContext: d.helpContext = n; break;
        case ShowInTaskBar: d.showInTaskBar = on; break;
        case MoveByDragging: d.moveByDragging = on; break;
        case Shape: d.shape = n; break;
        case AlwaysOnTop: d.alwaysOnTop = on; window.applyAlwaysOnTop(); break;
        case StoredSwitch: d.storedSwitch = on; break;
        case ClassName: d.className = std::string(value.asText()); break;
        default: break;
        }
        return false;
    }

    std::vector<uint8_t> currentTypeData(const Unit& unit) const override
    {
        return writeWindowData(static_cast<const LoadedWindow&>(unit).data());
    }

    bool getProperty(const Unit& unit, int32_t ownIndex, PropertyValue& out) const override
    {
        const auto& window = static_cast<const LoadedWindow&>(unit);
        const WindowData& d = window.data();
        switch (ownIndex + 8) {
        case Title: out = text(d.title); break;
        case Border: out = PropertyValue::number(d.border); break;
        case BackgroundColour: out = PropertyValue::number(d.backgroundColour); break;
        case BackgroundPicture: out = PropertyValue::bytes(d.backgroundPicture.data(), d.backgroundPicture.size()); break;
        case BackgroundPictureMode: out = PropertyValue::number(d.backgroundPictureMode); break;
        case BackgroundSound: out = PropertyValue::bytes(d.backgroundSound.data(), d.backgroundSound.size()); break;
        case SoundRepetition: out = PropertyValue::number(d.soundRepetition); break;
        case ControlBox: out = PropertyValue::number(d.controlBox ? 1 : 0); break;
        case MaximiseBox: out = PropertyValue::number(d.maximiseBox ? 1 : 0); break;
        case MinimiseBox: out = PropertyValue::number(d.minimiseBox ? 1 : 0); break;
        case WindowState: out = PropertyValue::number(window.currentState()); break;
        case Movable: out = PropertyValue::number(d.movable ? 1 : 0); break;
        case Icon: out = PropertyValue::bytes(d.icon.data(), d.icon.size()); break;
        case EnterMovesFocus: out = PropertyValue::number(d.enterMovesFocus ? 1 : 0); break;
        case EscCloses: out = PropertyValue::number(d.escCloses ? 1 : 0); break;
        case F1OpensHelp: out = PropertyValue::number(d.f1OpensHelp ? 1 : 0); break;
        case HelpFile: out = text(d.helpFile); break;
        case HelpContext: out = PropertyValue::number(d.helpContext); break;
        case ShowInTaskBar: out = PropertyValue::number(d.showInTaskBar ? 1 : 0); break;
        case MoveByDragging: out = PropertyValue::number(d.moveByDragging ? 1 : 0); break;
        case Shape: out = PropertyValue::number(d.shape); break;
        case AlwaysOnTop: out = PropertyValue::number(d.alwaysOnTop ? 1 : 0); break;
        case StoredSwitch: out = PropertyValue::number(d.storedSwitch ? 1 : 0); break;
        case ClassName: out = text(d.className); break;
        default: return false;
        }
        return true;
    }

private:
    static PropertyValue text(const std::string& s) { return PropertyValue::bytes(s.data(), s.size()); }
    static void assign(Bytes& target, const PropertyValue& value)
    {
        const auto bytes = value.asBytes();
        target.assign(bytes.begin(), bytes.end());
    }
    static void repaint(const LoadedWindow& window) { InvalidateRect(window.handle(), nullptr, TRUE); }
};

}  // namespace

const UnitType& windowUnitType()
{
    static const WindowUnitType type;
    return type;
}

}  // namespace tessaly::ui
