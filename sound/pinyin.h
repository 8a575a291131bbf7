#pragma once
// Pinyin syllables as the sound data stores them: letters without tone marks (ü written v) and a
// tone 1 to 4, or 5 for the neutral tone.
#include <string>
#include <string_view>

namespace norlune {

// The syllable with its tone mark, as pinyin is printed: ("zhong", 1) gives "zhōng", ("lv", 4)
// "lǜ", ("nv", 5) "nü". The mark sits on a or e, on the o of ou, otherwise on the last vowel.
std::string toneMarked(std::string_view letters, int tone);

// A syllable's 注音 with its tone: ("ㄨㄤ", 2) gives "ㄨㄤˊ", ("ㄇㄚ", 5) "˙ㄇㄚ"; the first tone
// has no mark, the neutral tone's dot stands before the syllable.
std::string zhuyinWithTone(std::string_view zhuyin, int tone);

// The initial as written: zh, ch, sh or one consonant, y and w included; empty for none.
std::string_view pinyinInitial(std::string_view letters);

// The final in its full form, whatever the spelling hides: yan gives ian, wei ui, ju v, you iu.
std::string pinyinFinal(std::string_view letters);

// The initial as spoken: pinyinInitial, but y and w, which only spell a final that begins with i, u
// or ü, give none.
std::string_view spokenInitial(std::string_view letters);

// The final as spoken: pinyinFinal, but the apical vowel of zhi chi shi ri zi ci si, which is no
// i, gives "-i".
std::string spokenFinal(std::string_view letters);

// 阴平 阳平 上声 去声 轻声 for tones 1 to 5.
std::string_view toneName(int tone);

// 平 (tones 1 and 2) or 仄 (3, 4 and the neutral tone).
bool isLevelTone(int tone);

}  // namespace norlune
