// Every console statement of the program in one table: its line number in
// the source unit orbcalc, which fatal diagnostics print, and for a write
// its layout string, parsed when the program is built. The Japanese
// prompts are Shift_JIS bytes, each shown in readable form above it.
#pragma once

#include <cstdint>

#include "console/layout.hpp"
#include "console/statement.hpp"

namespace orbcalc::dialogue {

// The parsed layout of a write statement.
template <LayoutText Text>
inline constexpr LayoutView kLayoutOf = kLayout<Text>.view();

// The dialogue of the main routine.
inline constexpr WriteStatement kBanner{12, kLayoutOf<"(' ***  Hueckel Molecular Orbital Calculation  ***'/)">};

// " 化合物名を入力してください"
inline constexpr WriteStatement kAskName{13, kLayoutOf<"(' \x89\xBB\x8D\x87\x95\xA8\x96\xBC\x82\xF0\x93\xFC\x97\xCD"
                                                       "\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2'/)">};
inline constexpr ReadStatement kReadName{14};

// " 原子数を入力してください"
inline constexpr WriteStatement kAskAtoms{15, kLayoutOf<"(' \x8C\xB4\x8E\x71\x90\x94\x82\xF0\x93\xFC\x97\xCD\x82\xB5"
                                                        "\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2'/)">};
inline constexpr ReadStatement kReadAtoms{16};

// " 結合数を入力してください"
inline constexpr WriteStatement kAskBonds{17, kLayoutOf<"(' \x8C\x8B\x8D\x87\x90\x94\x82\xF0\x93\xFC\x97\xCD\x82\xB5"
                                                        "\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2'/)">};
inline constexpr ReadStatement kReadBonds{18};

// " 電子数を入力してください"
inline constexpr WriteStatement kAskElectrons{19, kLayoutOf<"(' \x93\x64\x8E\x71\x90\x94\x82\xF0\x93\xFC\x97\xCD"
                                                            "\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2'/)">};
inline constexpr ReadStatement kReadElectrons{20};

// " ヘテロ・パラメータ数を入力してください"
inline constexpr WriteStatement kAskHeteroCount{
    21,
    kLayoutOf<
        "(' \x83\x77\x83\x65\x83\x8D\x81\x45\x83\x70\x83\x89"
        "\x83\x81\x81\x5B\x83\x5E\x90\x94\x82\xF0\x93\xFC\x97\xCD\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2'/)">};
inline constexpr ReadStatement kReadHeteroCount{22};

inline constexpr WriteStatement kNameEcho{28, kLayoutOf<"(1x,///,a40,/)">};
inline constexpr WriteStatement kCountEcho{29, kLayoutOf<"(1x,i4,' Atoms     ',i4,' Bonds')">};

// " 何か文字を入力してください"
inline constexpr WriteStatement kAskAnyKey{35, kLayoutOf<"(' \x89\xBD\x82\xA9\x95\xB6\x8E\x9A\x82\xF0\x93\xFC\x97\xCD"
                                                         "\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2'/)">};
inline constexpr ReadStatement kReadFinalAnswer{36};

// The plain stop at the end of the main routine.
inline constexpr int kStopLine = 47;

// Bond input (secdet).
// " 結合している原子の組を ，または空白で区切って入力して" "ください"
inline constexpr WriteStatement kBondHeader{
    55, kLayoutOf<"(' \x8C\x8B\x8D\x87\x82\xB5\x82\xC4\x82\xA2\x82\xE9\x8C\xB4"
                  "\x8E\x71\x82\xCC\x91\x67\x82\xF0 "
                  "\x81\x43\x82\xDC\x82\xBD\x82\xCD\x8B\xF3\x94\x92\x82\xC5\x8B\xE6\x90\xD8\x82\xC1"
                  "\x82\xC4\x93\xFC\x97\xCD\x82\xB5\x82\xC4','\x82\xAD\x82\xBE\x82\xB3\x82\xA2'/)">};
// " [ 1] : ", the prompt of each bond and of each hetero parameter.
inline constexpr LayoutView kNumberedPrompt = kLayoutOf<"(1x,'[',i2,'] : ')">;
inline constexpr WriteStatement kBondPrompt{58, kNumberedPrompt};
inline constexpr ReadStatement kReadBond{59};

// Hetero parameter input (hetero).
// " 変更する行列要素の番号と要素（ヘテロ・パラメータ）"
// " を ，または空白で区切って入力してください"
inline constexpr WriteStatement kHeteroHeader{
    77,
    kLayoutOf<
        "(' \x95\xCF\x8D\x58\x82\xB7\x82\xE9\x8D\x73\x97\xF1"
        "\x97\x76\x91\x66\x82\xCC\x94\xD4\x8D\x86\x82\xC6\x97\x76\x91\x66\x81\x69\x83\x77\x83\x65\x83\x8D\x81\x45\x83"
        "\x70"
        "\x83\x89\x83\x81\x81\x5B\x83\x5E\x81\x6A'/,' \x82\xF0 \x81\x43\x82\xDC\x82\xBD\x82\xCD\x8B\xF3\x94\x92\x82\xC5"
        "\x8B\xE6\x90\xD8\x82\xC1\x82\xC4\x93\xFC\x97\xCD\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2'/)">};
inline constexpr WriteStatement kHeteroPrompt{80, kNumberedPrompt};
inline constexpr ReadStatement kReadHetero{81};

// The report (pout and matout): the roots and coefficients of at most
// kBlockWidth orbitals side by side.
inline constexpr std::int32_t kBlockWidth = 8;
inline constexpr WriteStatement kHeading{195, kLayoutOf<"(/' -- Eigenvalues and Eigenvectors --'/)">};
inline constexpr WriteStatement kRootLine{201, kLayoutOf<with_count<"(2X,", kBlockWidth, "F9.4)">()>};
inline constexpr WriteStatement kEmptyLine{202, kLayoutOf<"(1X)">};
inline constexpr WriteStatement kAtomLine{215, kLayoutOf<with_count<"(I2,", kBlockWidth, "F9.4)">()>};
inline constexpr WriteStatement kBlockEnd{217, kLayoutOf<"(/)">};

}  // namespace orbcalc::dialogue
