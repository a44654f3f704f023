// The windows' drop-down lists of fixed choices, each entry a text and what it stands for: a
// list filled from a table, the entry chosen, and the angle forms both windows offer.
#pragma once

#include "app/batch_job.h"
#include "platform/combo_box.h"

#include <cstddef>

// Fills the list with the choices' texts, in order, and selects the first.
template <class Choice, std::size_t N> void Fill(CComboBox& combo, const Choice (&choices)[N]) {
    for (const Choice& choice : choices) {
        combo.AddString(choice.text);
    }
    combo.SetCurSel(0);
}

// The selected entry of a list that always has one.
template <class Choice, std::size_t N>
const Choice& Selected(const CComboBox& combo, const Choice (&choices)[N]) {
    const int index = combo.GetCurSel();
    return choices[index >= 0 && static_cast<std::size_t>(index) < N
                       ? static_cast<std::size_t>(index)
                       : 0];
}

struct AnglesChoice {
    const char* text;
    BatchAngles angles;
};
inline constexpr AnglesChoice kAngles[] = {
    {"度分秒合写 DDD.MMSS", BatchAngles::Packed},
    {"十进制度", BatchAngles::Degrees},
    {"度:分:秒", BatchAngles::Dms},
};
