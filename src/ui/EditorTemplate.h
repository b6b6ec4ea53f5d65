// The editor window's template: every control with its id, kind, label, place and style.
#pragma once

#include <span>

namespace rw::ui {

enum class ControlKind { PushButton, Edit, DropDownList, ListBox, Spin, MapFrame, GroupBox, Static };

// Style bits of a control (only those the window acts on).
enum ControlStyle : unsigned {
    kNoStyle = 0,
    kReadOnly = 1u << 0,
    kDigitsOnly = 1u << 1,
    kNotTabStop = 1u << 2,
    kHidden = 1u << 3,
    kAlignRight = 1u << 4,
    kAlignCentre = 1u << 5,
    kSunken = 1u << 6,
};

// One control; place and size in dialog units. stringId 0: no label from the string table.
struct TemplateItem {
    int id;
    ControlKind kind;
    int stringId;
    int x;
    int y;
    int width;
    int height;
    unsigned style;
};

// The window's client size in dialog units.
inline constexpr int kEditorWidthUnits = 456;
inline constexpr int kEditorHeightUnits = 213;

// Every control in template order, which is also the tab order.
std::span<const TemplateItem> EditorControls();

}  // namespace rw::ui
