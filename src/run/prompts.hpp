// The layout strings of the dialogue's write statements. The Japanese
// prompts are Shift_JIS bytes, each shown in readable form above it.
#pragma once

#include <string_view>

namespace orbcalc::prompts {

inline constexpr std::string_view kBanner = "(' ***  Hueckel Molecular Orbital Calculation  ***'/)";

// " 化合物名を入力してください"
inline constexpr std::string_view kAskName =
    "(' \x89\xBB\x8D\x87\x95\xA8\x96\xBC\x82\xF0\x93\xFC\x97\xCD\x82\xB5\x82\xC4\x82\xAD"
    "\x82\xBE\x82\xB3\x82\xA2'/)";

// " 原子数を入力してください"
inline constexpr std::string_view kAskAtoms =
    "(' \x8C\xB4\x8E\x71\x90\x94\x82\xF0\x93\xFC\x97\xCD\x82\xB5\x82\xC4\x82\xAD\x82\xBE"
    "\x82\xB3\x82\xA2'/)";

// " 結合数を入力してください"
inline constexpr std::string_view kAskBonds =
    "(' \x8C\x8B\x8D\x87\x90\x94\x82\xF0\x93\xFC\x97\xCD\x82\xB5\x82\xC4\x82\xAD\x82\xBE"
    "\x82\xB3\x82\xA2'/)";

// " 電子数を入力してください"
inline constexpr std::string_view kAskElectrons =
    "(' \x93\x64\x8E\x71\x90\x94\x82\xF0\x93\xFC\x97\xCD\x82\xB5\x82\xC4\x82\xAD\x82\xBE"
    "\x82\xB3\x82\xA2'/)";

// " ヘテロ・パラメータ数を入力してください"
inline constexpr std::string_view kAskHeteroCount =
    "(' \x83\x77\x83\x65\x83\x8D\x81\x45\x83\x70\x83\x89\x83\x81\x81\x5B\x83\x5E\x90\x94"
    "\x82\xF0\x93\xFC\x97\xCD\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2'/)";

// " 何か文字を入力してください"
inline constexpr std::string_view kAskAnyKey =
    "(' \x89\xBD\x82\xA9\x95\xB6\x8E\x9A\x82\xF0\x93\xFC\x97\xCD\x82\xB5\x82\xC4\x82\xAD"
    "\x82\xBE\x82\xB3\x82\xA2'/)";

inline constexpr std::string_view kNameEcho = "(1x,///,a40,/)";
inline constexpr std::string_view kCountEcho = "(1x,i4,' Atoms     ',i4,' Bonds')";

}  // namespace orbcalc::prompts
