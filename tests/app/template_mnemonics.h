// A dialog template's mnemonic letters and the control each one reaches: the item itself, or,
// for a label, the control after it. The windows' tests check with it that no two controls
// share a letter and that every control has one.
#pragma once

#include "platform/dialog_template.h"

#include <QString>

#include <map>
#include <string>
#include <vector>

struct TemplateMnemonics {
    std::map<QChar, std::string> reaches;    // letter (upper case) → id name of the control
    std::vector<std::string> clashes;        // "Alt+X: A and B"
    std::vector<std::string> withoutControl; // captions whose letter reaches no named control
};

inline TemplateMnemonics MnemonicsOf(const DialogTemplate& t) {
    TemplateMnemonics m;
    for (size_t i = 0; i < t.items.size(); ++i) {
        const DialogItemTemplate& item = t.items[i];
        const QString caption = QString::fromUtf8(item.caption);
        const bool label = QString(item.windowClass) == "STATIC";
        if (label && (item.style & SS_NOPREFIX)) {
            continue;
        }
        qsizetype amp = caption.indexOf(QLatin1Char('&'));
        while (amp >= 0 && amp + 1 < caption.size() && caption[amp + 1] == QLatin1Char('&')) {
            amp = caption.indexOf(QLatin1Char('&'), amp + 2);
        }
        if (amp < 0 || amp + 1 >= caption.size()) {
            continue;
        }
        const QChar letter = caption[amp + 1].toUpper();
        const DialogItemTemplate* target =
            label ? (i + 1 < t.items.size() ? &t.items[i + 1] : nullptr) : &item;
        if (!target || !target->idName) {
            m.withoutControl.push_back(caption.toStdString());
            continue;
        }
        const auto [at, fresh] = m.reaches.emplace(letter, target->idName);
        if (!fresh) {
            m.clashes.push_back("Alt+" + QString(letter).toStdString() + ": " + at->second +
                                " and " + target->idName);
        }
    }
    return m;
}

// Whether some letter reaches the control.
inline bool HasMnemonic(const TemplateMnemonics& m, const std::string& idName) {
    for (const auto& [letter, control] : m.reaches) {
        if (control == idName) {
            return true;
        }
    }
    return false;
}
