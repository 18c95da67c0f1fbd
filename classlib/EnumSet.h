// A set of the values of a small enumeration, one bit each: bit n for the value n. Storage holds the bits, so
// a set that must fit a byte (a flags field the host reads) can say so.
#pragma once

#include <initializer_list>

template <class Enum, class Storage = unsigned>
class TEnumSet {
 public:
  constexpr TEnumSet() = default;
  constexpr TEnumSet(std::initializer_list<Enum> values) {
    for (Enum value : values) Include(value);
  }
  static constexpr TEnumSet FromBits(Storage bits) {
    TEnumSet set;
    set.FBits = bits;
    return set;
  }

  constexpr Storage Bits() const { return FBits; }
  constexpr bool Contains(Enum value) const { return (FBits & Bit(value)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr TEnumSet& Include(Enum value) {
    FBits = static_cast<Storage>(FBits | Bit(value));
    return *this;
  }
  constexpr TEnumSet& Exclude(Enum value) {
    FBits = static_cast<Storage>(FBits & ~Bit(value));
    return *this;
  }
  friend constexpr bool operator==(TEnumSet, TEnumSet) = default;

 private:
  static constexpr Storage Bit(Enum value) {
    return static_cast<Storage>(1u << static_cast<unsigned>(value));
  }
  Storage FBits = 0;
};
