#pragma once

#include "core/profiles/ProfileInputs.h"

#include <QList>
#include <QString>

// The keys of a profile's section, one per input: "C" followed by a number. The numbers are the
// inputs' places in the main window's original order of controls; every stored profile relies
// on them, so they never change. This table is the one place that names them.
class ProfileKeys
{
public:
    // How an input's value is written.
    enum class Kind
    {
        Slider,    // a slider position in decimal
        Option,    // "True" or "False"
        Statement, // "0", "1" or "2"
        Rating     // the list index in decimal
    };

    struct Key
    {
        int number;
        Kind kind;
        std::optional<int> ProfileInputs::*value = nullptr; // sliders and the rating
        std::optional<bool> ProfileInputs::*option = nullptr;
        int statement = -1; // 0 to 26 for a statement
        // A slider's input, whose range InputRanges holds.
        std::optional<InputId> input = std::nullopt;

        QString name() const { return QLatin1Char('C') + QString::number(number); }
    };

    // Every key in ascending number order, C14 to C66.
    static const QList<Key>& all();
};
