#pragma once
// Remembered results of the pure steps of a rating. One calculation request completes the same
// air points and runs the same counterflow calculation several times (Refresh calculates twice,
// the request once more, the heat-recovery classification twice on its own record). Each of these
// steps is a function of the values it reads, so its result is kept per thread for the last few
// distinct inputs and handed back when the same inputs come again.
//
// Keys are arrays of doubles compared by bit pattern: equal inputs give equal results, NaN inputs
// compare too, and -0 and +0 stay apart.
#include <array>
#include <cstddef>
#include <cstring>

// Switches remembering on or off for the whole process (on by default); off always recomputes,
// and the heat-recovery classification then calculates its reference case in full instead of only
// as far as it reads it. Used to check that neither ever changes a result.
void SetCalculationReuse(bool on);
bool CalculationReuse();

template <std::size_t KeySize, class Value, std::size_t Slots>
class TMerker {
public:
    using TKey = std::array<double, KeySize>;

    // The value stored under key, or nullptr.
    const Value* Find(const TKey& key) const {
        for (std::size_t i = 0; i < used_; ++i)
            if (std::memcmp(keys_[i].data(), key.data(), sizeof(double) * KeySize) == 0)
                return &values_[i];
        return nullptr;
    }

    // Stores value under key, replacing the oldest entry when all slots are taken.
    void Store(const TKey& key, const Value& value) {
        keys_[next_] = key;
        values_[next_] = value;
        next_ = (next_ + 1) % Slots;
        if (used_ < Slots) ++used_;
    }

private:
    std::array<TKey, Slots> keys_{};
    std::array<Value, Slots> values_{};
    std::size_t used_ = 0;
    std::size_t next_ = 0;
};
