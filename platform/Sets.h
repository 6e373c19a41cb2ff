#pragma once
// The framework's small sets of enumeration values (shift states, font styles, border icons...).
// An enumeration used in a set numbers its values from 0 to 63.

#include <cstdint>
#include <initializer_list>

template <typename E> class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(E value) : FBits(Bit(value)) {}
    constexpr TSet(std::initializer_list<E> values) {
        for (E value : values)
            FBits |= Bit(value);
    }

    constexpr bool Contains(E value) const { return (FBits & Bit(value)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TSet& operator<<(E value) {
        FBits |= Bit(value);
        return *this;
    }
    constexpr TSet& operator>>(E value) {
        FBits &= ~Bit(value);
        return *this;
    }
    constexpr TSet operator|(TSet other) const { return FromBits(FBits | other.FBits); }
    constexpr TSet operator&(TSet other) const { return FromBits(FBits & other.FBits); }
    constexpr TSet operator-(TSet other) const { return FromBits(FBits & ~other.FBits); }
    constexpr TSet& operator|=(TSet other) {
        FBits |= other.FBits;
        return *this;
    }
    constexpr TSet& operator-=(TSet other) {
        FBits &= ~other.FBits;
        return *this;
    }
    constexpr friend bool operator==(TSet a, TSet b) { return a.FBits == b.FBits; }
    constexpr uint64_t Bits() const { return FBits; }
    static constexpr TSet FromBits(uint64_t bits) {
        TSet set;
        set.FBits = bits;
        return set;
    }

private:
    static constexpr uint64_t Bit(E value) { return uint64_t{1} << static_cast<unsigned>(value); }
    uint64_t FBits = 0;
};
