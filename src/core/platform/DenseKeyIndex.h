#pragma once
// Numbers the distinct 64-bit keys it is given 0, 1, 2 … in the order they first arrive, and
// finds a key's number in constant expected time. Indexes over a whole chart (blocks by grid
// position, blocks by address) keep their per-key data in plain arrays by that number, so
// building one costs a pass over the chart rather than a sort of it.
//
// Open addressing with linear probing over a table kept at most half full. Keys are spread
// over the table by a full mix of their bits, or, for keys known to lie close together in
// units of a given size (the addresses of blocks made one after another), by the unit they
// fall in: neighbouring keys then take neighbouring slots, and a pass over such keys reads
// the table in order instead of one cache miss per key. Should the keys turn out not to be
// like that, so that probes grow long, the table goes over to the full mix.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ondrel {

class DenseKeyIndex {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    explicit DenseKeyIndex(std::size_t expectedKeys = 0) { Rehash(TableSizeFor(expectedKeys)); }
    // For keys at least 2^unitBits apart that mostly follow one another.
    static DenseKeyIndex ForNearbyKeys(std::size_t expectedKeys, int unitBits) {
        DenseKeyIndex index;
        index.unitBits_ = unitBits;
        index.Rehash(TableSizeFor(expectedKeys));
        return index;
    }

    // The key's number; isNew tells whether this call gave it one.
    std::size_t Add(std::uint64_t key, bool& isNew) {
        if (2 * (count_ + 1) > slots_.size()) Rehash(2 * slots_.size());
        std::size_t probes = 0;
        std::size_t at = SlotOf(key, probes);
        addProbes_ += probes;
        if (unitBits_ >= 0 && addProbes_ > kProbesPerKey * (count_ + kProbeAllowance)) {
            unitBits_ = -1;  // not nearby keys after all
            Rehash(slots_.size());
            at = SlotOf(key, probes);
        }
        Slot& slot = slots_[at];
        isNew = slot.id == npos;
        if (isNew) slot = {key, count_++};
        return slot.id;
    }
    // The key's number, or npos when it was never added.
    std::size_t Find(std::uint64_t key) const {
        std::size_t probes = 0;
        return slots_[SlotOf(key, probes)].id;
    }
    std::size_t size() const { return count_; }
    // The slots stepped over past the keys' first choices, by Add and by re-filling the table,
    // since the table last changed its size or spread.
    std::size_t AddProbes() const { return addProbes_; }

private:
    struct Slot {
        std::uint64_t key = 0;
        std::size_t id = npos;  // npos: a free slot
    };
    // Well-spread keys in a half-empty table average under one step; far more means the keys
    // crowd together.
    static constexpr std::size_t kProbesPerKey = 8;
    static constexpr std::size_t kProbeAllowance = 64;

    static std::size_t TableSizeFor(std::size_t keys) {
        std::size_t size = 16;
        while (size < 2 * keys) size *= 2;
        return size;
    }
    std::size_t Home(std::uint64_t key) const {
        if (unitBits_ >= 0) return static_cast<std::size_t>(key >> unitBits_);
        // Grid positions and addresses differ mostly in a few low bits of each half.
        key ^= key >> 30;
        key *= 0xBF58476D1CE4E5B9ull;
        key ^= key >> 27;
        key *= 0x94D049BB133111EBull;
        key ^= key >> 31;
        return static_cast<std::size_t>(key);
    }
    // Where key is, or the free slot it would take; probes counts the steps past the first.
    std::size_t SlotOf(std::uint64_t key, std::size_t& probes) const {
        const std::size_t mask = slots_.size() - 1;
        std::size_t i = Home(key) & mask;
        while (slots_[i].id != npos && slots_[i].key != key) {
            i = (i + 1) & mask;
            ++probes;
        }
        return i;
    }
    void Rehash(std::size_t size) {
        std::vector<Slot> old(std::max<std::size_t>(size, 16));
        old.swap(slots_);
        std::size_t probes = 0;
        for (const Slot& slot : old) {
            if (slot.id != npos) slots_[SlotOf(slot.key, probes)] = slot;
        }
        // Re-filling counts too: keys that crowd a table crowd a larger one as well.
        addProbes_ = probes;
    }

    std::vector<Slot> slots_;  // a power of two long
    std::size_t count_ = 0;
    int unitBits_ = -1;        // -1: the full mix
    std::size_t addProbes_ = 0;
};

}  // namespace ondrel
