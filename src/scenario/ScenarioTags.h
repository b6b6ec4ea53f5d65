// The header words and chunk tags of scenario files.
#pragma once

#include <cstdint>

#include "scenario/FourCC.h"

namespace rw::scenario::tags {

inline constexpr std::uint32_t kCreator = FourCC("RWRT");
inline constexpr std::uint32_t kFileType = FourCC("VTSN");
inline constexpr std::uint32_t kTypeVersion = 100;

inline constexpr std::uint32_t kCity = FourCC("CITY");
inline constexpr std::uint32_t kName = FourCC("NAME");
inline constexpr std::uint32_t kIntroMovie = FourCC("IANM");
inline constexpr std::uint32_t kIntroText = FourCC("ITXT");
inline constexpr std::uint32_t kWinMovie = FourCC("WANM");
inline constexpr std::uint32_t kWinText = FourCC("WTXT");
inline constexpr std::uint32_t kLoseMovie = FourCC("LANM");
inline constexpr std::uint32_t kLoseText = FourCC("LTXT");
inline constexpr std::uint32_t kTime = FourCC("TIME");
inline constexpr std::uint32_t kBonus = FourCC("BNUS");
inline constexpr std::uint32_t kPack = FourCC("PACK");
inline constexpr std::uint32_t kAmmo = FourCC("AMMO");
inline constexpr std::uint32_t kLocX = FourCC("LOCX");
inline constexpr std::uint32_t kLocY = FourCC("LOCY");
inline constexpr std::uint32_t kLaps = FourCC("LAPS");
inline constexpr std::uint32_t kCheckpointBonus = FourCC("CHKB");
inline constexpr std::uint32_t kPrgn = FourCC("PRGN");
inline constexpr std::uint32_t kEpisode = FourCC("EPSD");
inline constexpr std::uint32_t kRacerCount = FourCC("#AIS");
inline constexpr std::uint32_t kRacer = FourCC("ANAI");
inline constexpr std::uint32_t kEventCount = FourCC("#EVS");
inline constexpr std::uint32_t kEvent = FourCC("EVNT");
inline constexpr std::uint32_t kLabels = FourCC("LABL");
inline constexpr std::uint32_t kCheckpointCount = FourCC("#CHK");
inline constexpr std::uint32_t kCheckpoint = FourCC("CHCK");
inline constexpr std::uint32_t kPackageCount = FourCC("#PKG");
inline constexpr std::uint32_t kPackage = FourCC("APAK");
inline constexpr std::uint32_t kTrigger = FourCC("EVTG");

// Separator of labels and package texts.
inline constexpr char kSeparator = '\x01';

}  // namespace rw::scenario::tags
