// The fast view's keys and timer: which picture is shown and how the
// automatic advance runs.
#pragma once

#include <cstddef>
#include <string_view>

namespace kelbo {

// The virtual-key codes the view tells apart.
namespace fast_view_keys {
inline constexpr int kBackspace = 8;
inline constexpr int kEscape = 27;
inline constexpr int kEnd = 35;
inline constexpr int kHome = 36;
inline constexpr int kUp = 38;
inline constexpr int kDown = 40;
inline constexpr int kInsert = 45;
inline constexpr int kNumPadPlus = 107;
inline constexpr int kNumPadMinus = 109;
inline constexpr int kF1 = 112;
inline constexpr int kPlus = 187;   // the equals/plus key
inline constexpr int kMinus = 189;  // the minus/underscore key
}  // namespace fast_view_keys

inline constexpr int kMinFastViewInterval = 1;
inline constexpr int kMaxFastViewInterval = 9999;

enum class FastViewAction {
    kShowPicture,     // show Current(); the timer keeps its state
    kClose,           // advance and timer off, close the view
    kShowHelp,        // advance and timer off, show kFastViewKeyHelp
    kStopAdvance,     // timer off
    kStartAdvance,    // timer on
    kChangeInterval,  // timer interval := TimerInterval()
};

struct FastViewResponse {
    FastViewAction action = FastViewAction::kShowPicture;
    bool keyConsumed = true;
    bool operator==(const FastViewResponse&) const = default;
};

inline constexpr std::string_view kFastViewKeyHelp =
    "F1 - ovládanie\rBackSpace - predchádzajúci obrázok\rSpace - nasledujúci obrázok\rHome - spustenie automatického "
    "prezerania\rEnter - zastavenie automatického prezerania\rPlus - zrýchlenie\rMinus - spomalenie\rEsc - vypnutie "
    "rýchleho prezerania";

// The view over `fileCount` pictures (at least 1; std::invalid_argument
// otherwise), starting at the first. The interval is in tenths of a second;
// one outside 1 to 9999 (a hand-edited setting) is brought to the nearer end.
class FastViewKeys {
public:
    FastViewKeys(std::size_t fileCount, int interval, bool autoAdvance);

    std::size_t Current() const { return current_; }
    int Interval() const { return interval_; }
    bool AutoAdvance() const { return autoAdvance_; }      // the timer runs exactly while this holds
    int TimerInterval() const { return interval_ * 100; }  // milliseconds

    // The key table, its rows tried in order.
    FastViewResponse KeyDown(int virtualKey);
    // A timer tick: the Down key.
    FastViewResponse Tick() { return KeyDown(fast_view_keys::kDown); }

private:
    std::size_t fileCount_;
    std::size_t current_ = 0;
    int interval_;
    bool autoAdvance_;
};

}  // namespace kelbo
