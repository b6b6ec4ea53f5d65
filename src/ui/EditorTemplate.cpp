// The editor window's control table.
#include "EditorTemplate.h"

#include <array>

namespace rw::ui {

namespace {

using K = ControlKind;

constexpr std::array<TemplateItem, 34> kControls{{
    {1022, K::PushButton, 124, 119, 18, 51, 15, kNoStyle},
    {1077, K::Edit, 0, 60, 56, 115, 14, kNoStyle},
    {1079, K::Edit, 0, 60, 79, 50, 14, kDigitsOnly},
    {1074, K::Edit, 0, 101, 100, 30, 14, kDigitsOnly},
    {1072, K::Edit, 0, 44, 122, 25, 14, kReadOnly},
    {1081, K::Edit, 0, 124, 122, 23, 14, kReadOnly},
    {1100, K::DropDownList, 0, 74, 146, 52, 40, kNoStyle},
    {1001, K::ListBox, 0, 198, 27, 75, 122, kNoStyle},
    {1007, K::PushButton, 120, 205, 157, 65, 16, kNoStyle},
    {1010, K::PushButton, 121, 19, 174, 51, 15, kNoStyle},
    {1009, K::PushButton, 123, 74, 174, 51, 15, kNoStyle},
    {1008, K::PushButton, 122, 129, 174, 51, 15, kNoStyle},
    {1000, K::PushButton, 162, 332, 191, 51, 15, kNoStyle},
    {1109, K::PushButton, 159, 395, 191, 51, 15, kNoStyle},
    {1080, K::Spin, 0, 70, 122, 11, 15, kNoStyle},
    {1082, K::Spin, 0, 151, 121, 11, 15, kNoStyle},
    {1017, K::Edit, 0, 52, 18, 60, 14, kReadOnly | kNotTabStop},
    {1041, K::MapFrame, 0, 279, 27, 155, 140, kNoStyle},
    {1040, K::GroupBox, 0, 7, 203, 448, 9, kHidden},
    {1055, K::Static, 0, 284, 172, 146, 9, kAlignCentre | kSunken},
    {1073, K::Static, 117, 22, 126, 18, 8, kAlignRight},
    {1075, K::Static, 114, 22, 104, 78, 8, kNoStyle},
    {119, K::Static, 119, 22, 60, 36, 8, kAlignRight},
    {1078, K::Static, 116, 17, 21, 30, 8, kAlignRight},
    {1090, K::Static, 115, 22, 82, 33, 8, kAlignRight},
    {1091, K::Static, 118, 95, 125, 26, 8, kNoStyle},
    {1087, K::GroupBox, 112, 13, 42, 171, 127, kNoStyle},
    {1088, K::Static, 113, 113, 82, 44, 8, kNoStyle},
    {1089, K::Static, 113, 133, 103, 36, 8, kNoStyle},
    {1086, K::Static, 111, 199, 17, 65, 8, kNoStyle},
    {1104, K::GroupBox, 124, 13, 7, 171, 31, kNoStyle},
    {1102, K::Static, 160, 22, 148, 47, 8, kNoStyle},
    {1103, K::GroupBox, 161, 191, 7, 250, 179, kNoStyle},
    {1301, K::Static, 0, 13, 194, 300, 9, kNoStyle},
}};

}  // namespace

std::span<const TemplateItem> EditorControls() {
    return kControls;
}

}  // namespace rw::ui
